// Level flow: the curtain's timings, the level exit with and without "W" on ordinary and special
// levels, the end texts, and the transition flag across a level load.
#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"
#include "game/story/LevelFlow.h"
#include "game/story/TimedText.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"

namespace
{
using namespace StoryFixtures;

// The first spawned end text ("LEVEL COMPLETE", "GAME OVER") in the gameplay layer, if any.
TimedText* EndText(const std::string& text)
{
    TimedText* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [&](GameObject& o)
                                           {
                                               TimedText* t = o.Get<TimedText>();
                                               if (t && t->text == text) found = t;
                                           });
    return found;
}

TimedText* LevelText()
{
    TimedText* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerHud, [&](GameObject& o)
                                           { found = found ? found : o.Get<TimedText>(); });
    return found;
}

// Frames until the current level is another one; -1 after `limit`.
int FramesToLeave(HeadlessGame& game, int limit)
{
    const std::string from = LevelManager::Get().GetCurrentLevelName();
    for (int i = 1; i <= limit; ++i)
    {
        game.Frames(1);
        if (LevelManager::Get().GetCurrentLevelName() != from) return i;
    }
    return -1;
}
} // namespace

TEST(CurtainTimings, IdleThenSlideOpenAndOneCloseForTwoEnds)
{
    GameObjectManager::Get().Reset();
    GameObject* obj = GameObjectManager::Get().CreateObject(kTypeCurtain);
    auto* t = new Transform(obj);
    auto* c = new Curtain(obj);
    obj->AddComponent(t);
    obj->AddComponent(c);
    t->position.x = 3.0f;
    rapidjson::Document doc;
    ParseJson(R"({"IdleTime": 500})", doc, nullptr);
    c->Deserialize(JsonView(&doc, "c"));
    EXPECT_FLOAT_EQ(t->position.x, 0.0f) << "a curtain starts covering the screen";
    for (int i = 0; i < 32; ++i) c->Update();
    EXPECT_FLOAT_EQ(t->position.x, 0.0f) << "500 ms of waiting is 32 frames";
    for (int i = 0; i < 99; ++i) c->Update();
    EXPECT_EQ(c->state, kCurtainOpening);
    c->Update();
    EXPECT_EQ(c->state, kCurtainOpen);
    EXPECT_NEAR(t->position.x, -5.0f, 1e-3f);

    Event end;
    end.type = kEventLevelEnd;
    c->HandleEvent(&end);
    EXPECT_EQ(c->state, kCurtainClosing);
    EXPECT_FLOAT_EQ(t->position.x, 5.0f);
    EXPECT_TRUE(GameTuning::Get().levelTransitionActive);
    for (int i = 0; i < 10; ++i) c->Update();
    c->HandleEvent(&end);
    Event restart;
    restart.type = kEventRestartLevel;
    c->HandleEvent(&restart);
    EXPECT_EQ(c->mode, 0) << "a closing curtain ignores later ends and restarts";
    EXPECT_FLOAT_EQ(t->position.x, 5.0f) << "and is not put back";
    for (int i = 0; i < 22 + 100; ++i) c->Update();
    EXPECT_EQ(c->state, kCurtainClosed);
    EXPECT_NEAR(t->position.x, 0.0f, 1e-3f);
}

TEST(LevelExit, WEndsTheLevelOnceWithItsTextExceptOnTheSpecialLevels)
{
    const std::string level =
        Hero(3, 3.5f) + "," + Entry("LevelExit.json", R"({"Transform": {"Position": [3, 4, 0]}})") +
        "," + Entry("Curtain.json") + "," +
        Entry("TimedText.json", R"({"TimedText": {"Text": "A And D To Move", "Timer": 99999}})");
    auto root = MakeRoot(
        "exit", {{"Exit.json", level}, {"MovingTurLevel.json", level}, {"EndLevel.json", level}});
    HeadlessGame game(root, "Exit.json");
    ASSERT_EQ(game.status(), 0);
    EXPECT_EQ(FramesToLeave(game, 120), -1) << "standing in the exit without W does nothing";
    ASSERT_NE(LevelText(), nullptr);
    EXPECT_GT(LevelText()->timer, 0.0f);

    game.KeyDown("W");
    game.Frames(2);
    ASSERT_NE(EndText("LEVEL COMPLETE"), nullptr);
    EXPECT_FLOAT_EQ(EndText("LEVEL COMPLETE")->timer, 2500.0f - 16.0f);
    EXPECT_LE(LevelText()->timer, 0.0f) << "the level's texts are hidden";
    EXPECT_TRUE(GameTuning::Get().levelTransitionActive);
    int frames = FramesToLeave(game, 300);
    EXPECT_GE(frames, 99) << "the curtain slides for 1600 ms first";
    EXPECT_LE(frames, 101);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "MovingTurLevel.json");
    EXPECT_FALSE(GameTuning::Get().levelTransitionActive);

    game.Frames(3); // W is still held: this exit ends the level without a text
    EXPECT_EQ(EndText("LEVEL COMPLETE"), nullptr);
    EXPECT_GT(FramesToLeave(game, 300), 0);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "EndLevel.json");

    EXPECT_EQ(FramesToLeave(game, 150), -1) << "the exit does nothing on EndLevel.json";
    EXPECT_EQ(EndText("LEVEL COMPLETE"), nullptr);
    EventManager::Get().PostEvent(kEventLevelEnd);
    game.Frames(1);
    EXPECT_NE(EndText("GAME OVER"), nullptr);
}

TEST(LevelExit, ALoadAfterAnInterruptedTransitionClearsTheFlag)
{
    auto root = MakeRoot("flag", {{"A.json", Hero(3, 3.5f)}, {"B.json", Hero(3, 3.5f)}});
    HeadlessGame game(root, "A.json");
    GameTuning::Get().levelTransitionActive = true;
    game.Tap("L");
    game.Frames(1);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "B.json");
    EXPECT_FALSE(GameTuning::Get().levelTransitionActive);
}
