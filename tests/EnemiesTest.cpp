// Robots and the boss in small levels of the shipped archetypes, run headless frame by frame.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/CameraManager.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/enemies/Boss.h"
#include "game/enemies/BossFov.h"
#include "game/enemies/Robot.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"

namespace
{
using namespace StoryFixtures;

template <typename C> std::vector<C*> All()
{
    std::vector<C*> found;
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [&](GameObject& o)
                                           {
                                               if (C* c = o.Get<C>()) found.push_back(c);
                                           });
    return found;
}

float X(const Component* c)
{
    return c->owner->Get<Transform>()->position.x;
}

std::string RobotAt(float startX, float endX)
{
    return Entry("Robot.json", R"({"Robot": {"StartPos": [)" + std::to_string(startX) +
                                   R"(, 3.5], "EndPos": [)" + std::to_string(endX) +
                                   R"(, 3.5], "FlickSpeed": [6, 9]}})");
}

// Runs until pred holds or the frames run out; true when it held.
template <typename Pred> bool RunUntil(HeadlessGame& game, int frames, Pred pred)
{
    for (int i = 0; i < frames; ++i)
    {
        if (pred()) return true;
        game.Frames(1);
    }
    return pred();
}
} // namespace

// The player hides in a can in the first robot's path. That robot flicks the player out, up and
// back; the controls come back after 800 ms; it pauses alone while the second robot (whose end
// lies left of its start) keeps driving left.
TEST(RobotFlick, ThrowsTheHiddenPlayerOutAndPausesAlone)
{
    auto root = MakeRoot(
        "robot", {{"Robots.json", Hero(10, 3.5f) + "," + RobotAt(4, 16) + "," + RobotAt(44, 30) +
                                      "," + Entry("TrashCan.json", R"({"Transform":
                                                           {"Position": [10, 3.25, 0]}})")}});
    HeadlessGame game(root, "Robots.json");
    ASSERT_EQ(game.status(), 0);
    auto robots = All<Robot>();
    ASSERT_EQ(robots.size(), 2u);
    Robot& near = *robots[0];
    Robot& far = *robots[1];
    EXPECT_EQ(near.Heading, 1.0f);
    EXPECT_EQ(far.Heading, -1.0f) << "an end point to the left is headed for";
    game.Frames(5);
    game.Tap("W");
    game.Frames(2);
    GameObject& hero = *GameObjectManager::Get().Player();
    Player& player = *hero.Get<Player>();
    ASSERT_TRUE(player.Hidden);
    const float farX = X(&far);
    ASSERT_TRUE(RunUntil(game, 200, [&] { return near.FlickPending; })) << "no flick";
    EXPECT_LT(X(&far), farX);
    EXPECT_EQ(hero.Get<Body>()->velocity, glm::vec2(-6.0f, 9.0f)) << "thrown up, against heading";
    game.Frames(1);
    EXPECT_FALSE(player.Hidden);
    EXPECT_EQ(player.State, kPlayerPlaying);
    EXPECT_FALSE(hero.Get<PlayerController>()->ControlsEnabled);
    int paused = 0;
    ASSERT_TRUE(RunUntil(game, 40, [&] { return !near.Moving; }));
    EXPECT_FALSE(near.FlickPending);
    EXPECT_TRUE(far.Moving) << "the pause is the flicking robot's own";
    const float nearX = X(&near), farBefore = X(&far);
    RunUntil(game, 100, [&] { return near.Moving || ++paused > 80; });
    EXPECT_NEAR(paused, 63, 2) << "stands for its pause time";
    EXPECT_TRUE(hero.Get<PlayerController>()->ControlsEnabled);
    EXPECT_NEAR(X(&near), nearX, 0.01f);
    EXPECT_LT(X(&far), farBefore);
    EXPECT_EQ(player.Meter, 0.0f) << "robots raise no meter";
    game.Frames(120);
    EXPECT_FALSE(near.FlickPending) << "a visible player is not flicked";
}
