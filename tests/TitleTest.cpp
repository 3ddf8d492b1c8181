// The shipped title screen and menus: each input device alone gets from the splash into Level1,
// the splash slides and the attract demo run on their timers, and a whole session of the real
// binary (pause, mute, save, quit through the confirmation, start again, load) keeps its state.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/InputManager.h"
#include "engine/data/Json.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "game/menus/MainMenu.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
fs::path UseTempHome()
{
    fs::path home;
    TestSupport::UseTempPrefFolder("titlehome", home);
    return home;
}

MainMenu* Title()
{
    MainMenu* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerHud, [&](GameObject& o)
                                           { found = found ? found : o.Get<MainMenu>(); });
    return found;
}

void Send(SDL_Event e)
{
    InputManager::Get().Inject(e);
}

void MouseClickAt(HeadlessGame& game, int x, int y)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    Send(e);
    game.Frames(2);
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    Send(e);
    game.Frames(1);
    e.type = SDL_MOUSEBUTTONUP;
    Send(e);
    game.Frames(2);
}

void Key(HeadlessGame& game, const char* key)
{
    game.Tap(key);
    game.Frames(2);
}

enum class Device
{
    Keyboard,
    Mouse,
    Controller
};

struct TitleDevice : testing::TestWithParam<Device>
{
};
} // namespace

TEST_P(TitleDevice, AloneGetsFromTheSplashIntoLevel1AndPauses)
{
    fs::path home = UseTempHome();
    HeadlessGame game(TestSupport::ShippedData());
    ASSERT_EQ(game.status(), 0);
    game.Frames(1);
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Title()->slide, 0);
    // Skip the splash, then press the first title button, "New Game".
    switch (GetParam())
    {
    case Device::Keyboard:
        Key(game, "Return");
        EXPECT_TRUE(Engine::Get().titleMenuReached);
        Key(game, "Return");
        break;
    case Device::Mouse:
        MouseClickAt(game, 100, 100);
        EXPECT_TRUE(Engine::Get().titleMenuReached);
        MouseClickAt(game, 640, 338); // on "New Game"
        break;
    case Device::Controller:
        game.ConnectController();
        game.Frames(1);
        game.Pad(SDL_CONTROLLER_BUTTON_START, 2);
        EXPECT_TRUE(Engine::Get().titleMenuReached);
        game.Pad(SDL_CONTROLLER_BUTTON_A, 2);
        break;
    }
    game.Frames(2);
    ASSERT_EQ(LevelManager::Get().GetCurrentLevelName(), "Level1.json");
    ASSERT_NE(GameObjectManager::Get().Player(), nullptr);
    if (GetParam() == Device::Controller)
        game.Pad(SDL_CONTROLLER_BUTTON_START, 2);
    else
        Key(game, "Escape");
    EXPECT_TRUE(GameObjectManager::Get().paused);
    fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Title, TitleDevice,
                         testing::Values(Device::Keyboard, Device::Mouse, Device::Controller));

TEST(TitleScreen, SlidesFadeInOnTheirTimersThenIdleStartsTheAttractDemo)
{
    fs::path home = UseTempHome();
    HeadlessGame game(TestSupport::ShippedData());
    ASSERT_EQ(game.status(), 0);
    MainMenu* title = Title();
    ASSERT_NE(title, nullptr);
    game.Frames(50);
    EXPECT_NEAR(title->sprite->Transparency, 0.5f, 0.02f);
    // A slide lasts 250 frames (15000 less 60 a frame), then the next fades in from 0.
    game.Frames(202);
    EXPECT_EQ(title->slide, 1);
    EXPECT_EQ(title->sprite->TextureSlot, 1);
    EXPECT_LT(title->sprite->Transparency, 0.05f);
    game.Frames(502);
    EXPECT_EQ(title->slide, MainMenu::kTitleSlide);
    EXPECT_TRUE(Engine::Get().titleMenuReached);
    EXPECT_FLOAT_EQ(title->sprite->Transparency, 1.0f);
    // 15 s without input (938 frames of 16 ms) starts the attract demo, the list's last level.
    game.Frames(930);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "MainMenu.json");
    game.Frames(12);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "AutoLevel.json");
    fs::remove_all(home);
}

namespace
{
// A scripted run of taps, one every three frames from frame 3.
std::string Script(const std::vector<const char*>& keys)
{
    std::string s = "[";
    int frame = 3;
    for (const char* k : keys)
    {
        if (s.size() > 1) s += ",";
        s += R"({"frame": )" + std::to_string(frame) + R"(, "type": "keydown", "key": ")" + k +
             R"("}, {"frame": )" + std::to_string(frame + 1) + R"(, "type": "keyup", "key": ")" +
             k + R"("})";
        frame += 3;
    }
    return s + "]";
}
} // namespace

TEST(TitleSession, MuteSaveQuitThenStartAgainAndLoad)
{
    fs::path home = UseTempHome();
    fs::path dir = TestSupport::MakeTempDir("session");
    // Skip, New Game; pause; Options: music volume down three steps, Mute Music, Back; Save,
    // Yes; Quit (up wraps), which opens on "No": over to "Yes", press.
    TestSupport::WriteText(
        dir, "first.json",
        Script({"Return", "Return", "Escape", "Down",   "Down", "Down",   "Return", "Down",
                "Left",   "Left",   "Left",   "Down",   "Down", "Return", "Down",   "Down",
                "Return", "Down",   "Return", "Return", "Up",   "Return", "Down",   "Return"}));
    std::string out;
    std::string common = " --headless --data \"" + TestSupport::ShippedData().string() + "\"";
    int status =
        TestSupport::RunGame(common + " --frames 600 --input \"" + (dir / "first.json").string() +
                                 "\" --dump \"" + (dir / "first-dump.json").string() + "\"",
                             &out);
    EXPECT_EQ(status, 0) << out;
    std::string dump = TestSupport::ReadText(dir / "first-dump.json");
    EXPECT_NE(dump.find("\"Level\": \"Level1.json\""), std::string::npos) << dump.substr(0, 200);
    EXPECT_EQ(dump.find("\"Frame\": 600"), std::string::npos); // ended early, by the menu
    fs::path settings = home / "Corvane/Bellrun/settings.json";
    EXPECT_NE(TestSupport::ReadText(settings).find("\"MuteMusic\": true"), std::string::npos);
    EXPECT_NE(TestSupport::ReadText(settings).find("\"MusicVolume\": 70"), std::string::npos);
    // Start again: skip, Load Game.
    TestSupport::WriteText(dir, "second.json", Script({"Return", "Down", "Return"}));
    status =
        TestSupport::RunGame(common + " --frames 40 --input \"" + (dir / "second.json").string() +
                             "\" --dump \"" + (dir / "second-dump.json").string() + "\"");
    EXPECT_EQ(status, 0);
    dump = TestSupport::ReadText(dir / "second-dump.json");
    EXPECT_NE(dump.find("\"Level\": \"Level1.json\""), std::string::npos);
    EXPECT_NE(dump.find("\"MuteMusic\": true"), std::string::npos);
    // The volumes came back with the restart; the mute still holds them back.
    EXPECT_NE(dump.find("\"MusicVolume\": 70"), std::string::npos);
    EXPECT_NE(dump.find("\"EffectsVolume\": 100"), std::string::npos);
    // A damaged settings file is one line and the defaults.
    TestSupport::WriteText(settings.parent_path(), "settings.json", "{\"MuteMusic\": ");
    status = TestSupport::RunGame(
        common + " --frames 2 --dump \"" + (dir / "third-dump.json").string() + "\"", &out);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("settings: "), std::string::npos);
    EXPECT_NE(TestSupport::ReadText(dir / "third-dump.json").find("\"MuteMusic\": false"),
              std::string::npos);
    fs::remove_all(dir);
    fs::remove_all(home);
}

// The whole game in one scripted run, from the title with no --level: New Game, a save from the
// pause menu in Level1, back to the title, Load Game, then every level, cutscene and dialog to
// the ending, the credits and back to the title. The "Serializing Level" lines give the order of
// the levels entered; the load from the save is the one followed by the save file's path.
TEST(TitleSession, TheWholeGamePlaysFromTheTitleToTheEndingAndBack)
{
    fs::path home = UseTempHome();
    fs::path dir = TestSupport::MakeTempDir("whole");
    const fs::path script = TestSupport::ShippedData().parent_path() / "tests/runs/WholeGame.json";
    std::string out;
    ASSERT_EQ(TestSupport::RunGame(" --headless --data \"" + TestSupport::ShippedData().string() +
                                       "\" --frames 29093 --input \"" + script.string() +
                                       "\" --dump \"" + (dir / "dump.json").string() + "\"",
                                   &out),
              0);
    std::vector<std::string> entered;
    std::istringstream lines(out);
    std::string line;
    const std::string tag = "Serializing Level : ";
    while (std::getline(lines, line))
    {
        if (line.rfind(tag, 0) == 0) entered.push_back(line.substr(tag.size()));
        if (!entered.empty() && line.size() >= 9 &&
            line.compare(line.size() - 9, 9, "save.json") == 0)
            entered.back() = "(the save)";
    }
    const std::vector<std::string> expected = {
        "MainMenu.json", "Level1.json",        "MainMenu.json",      "(the save)",
        "Level2.json",   "Level3.json",        "Level4.json",        "MovingTurLevel.json",
        "Level5.json",   "GuardCutscene.json", "RobotCutscene.json", "RobotLevel.json",
        "Level6.json",   "Level7.json",        "Level8.json",        "EndLevel.json",
        "Credits.json",  "MainMenu.json"};
    EXPECT_EQ(entered, expected);
    rapidjson::Document doc;
    ASSERT_TRUE(ParseJson(TestSupport::ReadText(dir / "dump.json"), doc, nullptr));
    JsonView root(&doc, "dump");
    std::string level;
    int warnings = -1;
    root.Read("Level", level);
    root.Read("Warnings", warnings);
    EXPECT_EQ(level, "MainMenu.json");
    EXPECT_EQ(warnings, 0) << "the data readers warned during the run";
    fs::remove_all(dir);
    fs::remove_all(home);
}

// The attract demo plays a recording of the first stretch of Level1 in the record format, and
// the recording's end (like a key, click or button, see tests/runs/AutoLevel.json) brings the
// title back.
TEST(TitleScreen, TheAttractDemoPlaysARecordingThenReturnsToTheTitle)
{
    fs::path dir = TestSupport::MakeTempDir("demo");
    const std::string common =
        " --headless --data \"" + TestSupport::ShippedData().string() + "\" --level AutoLevel.json";
    for (int frames : {400, 900})
    {
        const fs::path dump = dir / ("dump" + std::to_string(frames) + ".json");
        ASSERT_EQ(TestSupport::RunGame(common + " --frames " + std::to_string(frames) +
                                       " --dump \"" + dump.string() + "\""),
                  0);
        rapidjson::Document doc;
        ASSERT_TRUE(ParseJson(TestSupport::ReadText(dump), doc, nullptr));
        JsonView root(&doc, "dump");
        std::string level;
        root.Read("Level", level);
        if (frames == 400)
        {
            EXPECT_EQ(level, "AutoLevel.json");
            EXPECT_GT(root["Player"]["Position"].At(0).AsFloat(0.0f), 20.0f)
                << "the recorded player walks and jumps the crates";
        }
        else
        {
            EXPECT_EQ(level, "MainMenu.json") << "the recording's end returns to the title";
        }
    }
    fs::remove_all(dir);
}
