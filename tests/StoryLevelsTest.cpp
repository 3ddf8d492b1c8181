// The shipped story levels played headless by condition-driven scripts: each new level ends
// through its exit, its cutscene or its ending, and leads to the next entry of the list.
#include <gtest/gtest.h>

#include <functional>

#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/player/PlayerController.h"
#include "game/story/MovingFloor.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"

namespace
{
Transform& Hero()
{
    return *GameObjectManager::Get().Player()->Get<Transform>();
}

bool Until(HeadlessGame& game, const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit; ++i)
    {
        if (done()) return true;
        game.Frames(1);
    }
    return done();
}

bool LevelIs(const char* name)
{
    return LevelManager::Get().GetCurrentLevelName() == name;
}

bool Frozen()
{
    return GameObjectManager::Get().Player()->Get<PlayerController>()->Frozen;
}

// Walks right until x reaches `x`.
void WalkTo(HeadlessGame& game, float x)
{
    game.KeyDown("D");
    EXPECT_TRUE(Until(
        game, [x] { return Hero().position.x >= x; }, 1500))
        << x;
    game.KeyUp("D");
}

void PageThrough(HeadlessGame& game, int pages)
{
    for (int i = 0; i < pages; ++i)
    {
        game.Tap("Return");
        game.Frames(1);
    }
}

MovingFloor* FloorStartingAt(float y)
{
    MovingFloor* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [&](GameObject& o)
                                           {
                                               MovingFloor* f = o.Get<MovingFloor>();
                                               if (f && f->startPosition.y == y) found = f;
                                           });
    return found;
}
} // namespace

TEST(StoryLevels, Level1EndsAtItsLift)
{
    HeadlessGame game(TestSupport::ShippedData(), "Level1.json");
    // The lift is drawn behind the hero who stands in front of it (a lower layer), and still
    // touches her.
    int lifts = 0;
    for (int layer = 0; layer < kLayerCount; ++layer)
        GameObjectManager::Get().ForEachActive(layer,
                                               [&](GameObject& o)
                                               {
                                                   if (o.name != "LevelExit.json") return;
                                                   ++lifts;
                                                   EXPECT_LT(o.layer, kLayerPlayer);
                                                   EXPECT_GE(o.layer, kLayerHideBox);
                                               });
    EXPECT_EQ(lifts, 1);
    Hero().position = glm::vec3(84.0f, 3.5f, 0.0f);
    game.Frames(10);
    game.KeyDown("W");
    EXPECT_TRUE(Until(
        game, [] { return LevelIs("Level2.json"); }, 200));
}

TEST(StoryLevels, MovingTurLevelIsCrossedOnItsFloors)
{
    HeadlessGame game(TestSupport::ShippedData(), "MovingTurLevel.json");
    MovingFloor* lift = FloorStartingAt(2.25f);
    MovingFloor* ferry = FloorStartingAt(8.25f);
    ASSERT_TRUE(lift && ferry);
    game.KeyDown("D");
    ASSERT_TRUE(Until(game, Frozen, 300)) << "the floor dialog's trigger";
    game.KeyUp("D");
    PageThrough(game, 2);
    WalkTo(game, 12.0f);
    ASSERT_TRUE(Until(
        game, [] { return Hero().position.y >= 9.4f; }, 800))
        << "rides up";
    WalkTo(game, 19.8f);
    ASSERT_TRUE(Until(
        game, [&] { return ferry->state == 0 && ferry->owner->Get<Transform>()->position.x < 23; },
        1200));
    WalkTo(game, 22.5f);
    ASSERT_TRUE(Until(
        game, [] { return Hero().position.x >= 32.0f; }, 800))
        << "rides across";
    ASSERT_TRUE(Until(
        game, [&] { return ferry->state == 0; }, 200));
    WalkTo(game, 46.5f);
    game.KeyDown("W");
    EXPECT_TRUE(Until(
        game, [] { return LevelIs("Level5.json"); }, 200));
}

TEST(StoryLevels, TheCutscenesPlayToTheirEndByThemselves)
{
    HeadlessGame game(TestSupport::ShippedData(), "GuardCutscene.json");
    game.Frames(2);
    PageThrough(game, 4);
    const float start = Hero().position.x;
    EXPECT_TRUE(Until(
        game, [] { return LevelIs("RobotCutscene.json"); }, 1200));
    EXPECT_GT(Hero().position.x - start, -1.0f); // the new level's hero, for the next run
    game.Frames(2);
    PageThrough(game, 4);
    EXPECT_TRUE(Until(
        game, [] { return Hero().position.x > 40.0f; }, 1200))
        << "walks to the lift";
    EXPECT_TRUE(Until(
        game, [] { return LevelIs("RobotLevel.json"); }, 400));
}

TEST(StoryLevels, TheEndingShowsItsDialogThenGameOverThenTheCreditsAndReturnsToTheTitle)
{
    HeadlessGame game(TestSupport::ShippedData(), "EndLevel.json");
    game.Frames(5);
    game.KeyDown("D");
    for (float jumpAt : {8.3f, 19.5f}) // over the crates, then up to the core
    {
        ASSERT_TRUE(Until(
            game, [jumpAt] { return Hero().position.x >= jumpAt; }, 400));
        game.Tap("Space");
    }
    ASSERT_TRUE(Until(game, Frozen, 300)) << "the core's dialog";
    game.KeyUp("D");
    PageThrough(game, 3);
    ASSERT_TRUE(Until(
        game, [] { return LevelIs("Credits.json"); }, 300));
    ASSERT_TRUE(Until(game, Frozen, 300)) << "the credits roll as the dialog's pages";
    PageThrough(game, 7);
    EXPECT_TRUE(Until(
        game, [] { return LevelIs("MainMenu.json"); }, 300));
}
