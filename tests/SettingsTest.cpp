// The settings file: each option read on its own, a damaged value keeping its default.
#include <gtest/gtest.h>

#include "engine/core/Log.h"
#include "engine/core/Settings.h"

TEST(Settings, EachDamagedValueKeepsItsDefaultAndSaysSo)
{
    struct Case
    {
        const char* text;
        int music, effects, windowWidth;
        int warnings;
    };
    const Case cases[] = {
        {R"({"MusicVolume": 70, "EffectsVolume": 0})", 70, 0, 0, 0},
        {R"({"MusicVolume": 35, "EffectsVolume": 94})", 40, 90, 0, 0}, // to the nearest step
        {R"({"MusicVolume": "loud", "EffectsVolume": true})", 100, 100, 0, 2},
        {R"({"MusicVolume": 150, "EffectsVolume": -10})", 100, 100, 0, 2},
        {R"({"MusicVolume": 1e300})", 100, 100, 0, 1},
        {R"({"WindowX": 10, "WindowY": 20, "WindowWidth": 800, "WindowHeight": 450})", 100, 100,
         800, 0},
        // A place is all four numbers and a size a window can have, or none of it.
        {R"({"WindowX": 10, "WindowY": 20, "WindowWidth": 800})", 100, 100, 0, 1},
        {R"({"WindowX": 0, "WindowY": 0, "WindowWidth": 5, "WindowHeight": 450})", 100, 100, 0, 1},
        {R"({"WindowX": 0, "WindowY": 0, "WindowWidth": "wide", "WindowHeight": 450})", 100, 100, 0,
         2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        int before = LogWarningCount();
        GameSettings s = ParseSettings(c.text, "settings.json");
        EXPECT_EQ(s.musicVolume, c.music);
        EXPECT_EQ(s.effectsVolume, c.effects);
        EXPECT_EQ(s.windowWidth, c.windowWidth);
        EXPECT_EQ(LogWarningCount() - before, c.warnings);
        // The other options never suffer for a neighbour's damage.
        EXPECT_TRUE(s.fullScreen);
        EXPECT_FALSE(s.muteMusic);
    }
}
