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
#include "game/player/Emp.h"
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

namespace
{
// An EMP dropped onto the boss.
void EmpOnto(const GameObject& boss)
{
    GameObject* emp = SpawnFromArchetype("EMP.json");
    ASSERT_NE(emp, nullptr);
    emp->Get<Transform>()->position = boss.Get<Transform>()->position;
}
} // namespace

// "T" turns both cones round once; each of the first two EMP hits takes out the next listed cone
// still standing (the first cone is listed twice by its override); the third starts the closing
// light, which ends the level; the next level's list of cones starts empty.
TEST(BossFight, TReversesTheConesAndThreeHitsEndTheLevel)
{
    const std::string boss = Entry("Boss.json", R"({"Transform": {"Position": [20, 9, 0]}})");
    const std::string first = Entry("BossFOV.json", R"({"Transform": {"Position": [20, 9, 0]},
                                    "BossFOV": {"AngleSpeed": 10, "DefaultAngle": 0.5}})");
    const std::string second =
        Entry("BossFOVRight.json", R"({"Transform": {"Position": [20, 9, 0]}})");
    auto root = MakeRoot("boss", {{"Boss.json", Hero(4, 3.5f) + "," + Entry("Curtain.json") + "," +
                                                    boss + "," + first + "," + second},
                                  {"After.json", ""}});
    HeadlessGame game(root, "Boss.json");
    ASSERT_EQ(game.status(), 0);
    const std::vector<GameObject*> cones = Boss::Cones();
    ASSERT_EQ(cones.size(), 2u) << "the cone with two cone sections is listed once";
    GameObject* cone1 = cones[0];
    GameObject* cone2 = cones[1];
    const ObjectRef ref1(cone1), ref2(cone2);
    ASSERT_TRUE(cone1 && cone2 && cone1 != cone2);
    const float before = cone2->Get<Transform>()->rotation;
    game.Frames(1);
    EXPECT_NEAR(cone2->Get<Transform>()->rotation - before, -0.016f, 1e-5f);
    game.Tap("T");
    game.Frames(1);
    EXPECT_EQ(cone2->Get<BossFOV>()->turnSign, 1) << "two cones turn round once each";
    for (const auto& c : cone1->components)
    {
        auto* fov = dynamic_cast<BossFOV*>(c.get());
        EXPECT_TRUE(!fov || fov->turnSign == 1) << "an override's second turning part too";
    }
    game.Tap("T");
    game.Frames(1);
    EXPECT_EQ(cone2->Get<BossFOV>()->turnSign, -1);

    Boss& theBoss = *All<Boss>().at(0);
    Camera& camera = *CameraManager::Get().GetCurrentCamera();
    EmpOnto(*theBoss.owner);
    game.Frames(3);
    EXPECT_EQ(theBoss.hitCount, 1);
    EXPECT_TRUE(camera.shaking);
    EXPECT_EQ(ref1.Get(), nullptr) << "the first cone is gone";
    EXPECT_NE(ref2.Get(), nullptr);
    EXPECT_TRUE(All<EMP>().empty()) << "the EMP is spent";
    EmpOnto(*theBoss.owner);
    game.Frames(3);
    EXPECT_EQ(theBoss.hitCount, 2);
    EXPECT_EQ(ref2.Get(), nullptr) << "the second hit takes the second cone, not the first again";
    Player& player = *GameObjectManager::Get().Player()->Get<Player>();
    EXPECT_FALSE(player.spotLight);
    EmpOnto(*theBoss.owner);
    game.Frames(3);
    EXPECT_EQ(theBoss.hitCount, 2);
    EXPECT_TRUE(player.spotLight) << "the third hit starts the closing light";
    ASSERT_TRUE(RunUntil(game, 600,
                         [] { return LevelManager::Get().GetCurrentLevelName() == "After.json"; }))
        << "the closing light ends the level";
    EXPECT_TRUE(Boss::Cones().empty());
}
