// The player's standing: its section, hiding events, the catch and the respawn at the checkpoint.
#include <gtest/gtest.h>

#include "engine/core/CameraManager.h"
#include "engine/core/FrameRateController.h"
#include "tests/PlayerTestRig.h"

namespace
{
JsonView Parse(rapidjson::Document& doc, const char* text)
{
    EXPECT_TRUE(ParseJson(text, doc, nullptr)) << text;
    return JsonView(&doc, "test.json");
}

int CountPosted(int type)
{
    int n = 0;
    for (const Event& e : EventManager::Get().events) n += e.inUse && e.type == type;
    return n;
}
} // namespace

TEST(PlayerStateData, CheckPointMovesThePlayerAndLifePostsTheBarsLook)
{
    PlayerRig rig;
    rapidjson::Document doc;
    rig.player->State = kPlayerDying;
    rig.player->Deserialize(
        Parse(doc, R"({"LightofTime": 700, "CheckPoint": [12, 3.5], "Life": 2})"));
    EXPECT_EQ(rig.player->State, kPlayerPlaying);
    EXPECT_EQ(rig.player->LightofTime, 700);
    EXPECT_EQ(rig.player->Life, 2);
    EXPECT_FLOAT_EQ(rig.transform->position.x, 12.0f);
    EXPECT_FLOAT_EQ(rig.transform->position.y, 3.5f);
    EXPECT_TRUE(PlayerRig::Posted(kEventShowTwoLives));
    EXPECT_FALSE(PlayerRig::Posted(kEventShowOneLife));

    EventManager::Get().ClearAll();
    rapidjson::Document one;
    rig.player->Deserialize(Parse(one, R"({"Life": 1})"));
    EXPECT_TRUE(PlayerRig::Posted(kEventShowOneLife));
}

TEST(PlayerStateData, BadShapesKeepDefaults)
{
    PlayerRig rig;
    rig.transform->position = glm::vec3(1.0f, 1.0f, 0.0f);
    rapidjson::Document doc;
    rig.player->Deserialize(
        Parse(doc, R"({"CheckPoint": [5], "Life": "many", "LightofTime": [1]})"));
    EXPECT_EQ(rig.player->Life, 3);
    EXPECT_EQ(rig.player->LightofTime, 1000);
    EXPECT_FLOAT_EQ(rig.player->CheckPointPosition.x, 2.0f);
    EXPECT_FLOAT_EQ(rig.transform->position.x, 1.0f);
    EXPECT_EQ(CountPosted(kEventShowTwoLives) + CountPosted(kEventShowOneLife), 0);
}

TEST(PlayerStateData, WritesCheckPointAndLife)
{
    PlayerRig rig;
    rig.player->CheckPointPosition = glm::vec3(7.25f, 4.5f, 0.0f);
    rig.player->Life = 2;
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    rig.player->Serialize(writer);
    writer.EndObject();
    rapidjson::Document out;
    JsonView section = Parse(out, buffer.GetString())["Player"];
    float cp[2] = {0, 0};
    ASSERT_TRUE(section.ReadFloats("CheckPoint", cp, 2));
    EXPECT_FLOAT_EQ(cp[0], 7.25f);
    EXPECT_FLOAT_EQ(cp[1], 4.5f);
    EXPECT_TRUE(section["CheckPoint"].At(0).Raw()->IsDouble());
    int life = 0;
    EXPECT_TRUE(section.Read("Life", life));
    EXPECT_EQ(life, 2);
}

TEST(PlayerStateEvents, HideAndLeave)
{
    PlayerRig rig;
    rig.body->velocity = glm::vec2(5.0f, -2.0f);
    rig.transform->position = glm::vec3(2.0f, 1.5f, 0.0f);
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    ASSERT_TRUE(rig.pc->Crawling);
    PlayerRig::Deliver(kEventHide);
    EXPECT_EQ(rig.player->State, kPlayerHidden);
    EXPECT_TRUE(rig.player->Hidden);
    EXPECT_FALSE(rig.sprite->Active);
    EXPECT_FALSE(rig.pc->Crawling) << "the controller was not reset";
    EXPECT_EQ(rig.body->velocity, glm::vec2(0.0f));

    PlayerRig::Key("Left Shift", false);
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f) << "walked while hidden";

    PlayerRig::Deliver(kEventUnhide);
    EXPECT_EQ(rig.player->State, kPlayerPlaying);
    EXPECT_FALSE(rig.player->Hidden);
    EXPECT_TRUE(rig.sprite->Active);
}

TEST(PlayerStateEvents, ControlsDisabledPullsThePlayerOutOfHiding)
{
    PlayerRig rig;
    PlayerRig::Deliver(kEventHide);
    PlayerRig::Deliver(kEventControlsDisabled);
    EXPECT_EQ(rig.player->State, kPlayerPlaying);
    EXPECT_FALSE(rig.player->Hidden);
    EXPECT_TRUE(rig.player->StopOnLanding);
    EXPECT_TRUE(rig.sprite->Active);
    EXPECT_TRUE(PlayerRig::Posted(kEventUnhide));

    // Landing stops the body.
    rig.body->velocity = glm::vec2(3.0f, -1.0f);
    rig.obj->collisionFlags = 0;
    rig.player->Update();
    EXPECT_EQ(rig.body->velocity, glm::vec2(3.0f, -1.0f));
    rig.obj->collisionFlags = kContactBottom;
    rig.player->Update();
    EXPECT_EQ(rig.body->velocity, glm::vec2(0.0f));
    EXPECT_FALSE(rig.player->StopOnLanding);
}

TEST(PlayerStateLife, CaughtOnceThenRespawnsAtTheCheckPoint)
{
    PlayerRig rig;
    FrameRateController::Get().measuredFrameRate = 62.5;
    CameraManager::Get().cameras.clear();
    rig.body->gravity = true;
    rig.player->CheckPointPosition = glm::vec3(2.0f, 3.0f, 0.0f);
    rig.transform->position = glm::vec3(9.0f, 1.5f, 0.0f);
    rig.player->Meter = 100.0f;
    rig.player->Update();
    EXPECT_EQ(rig.player->State, kPlayerDying);
    EXPECT_EQ(CountPosted(kEventLifeLost), 1);
    EXPECT_FALSE(rig.body->gravity);
    EXPECT_FLOAT_EQ(rig.player->Meter, 0.0f);

    // Filling the meter again while dying does not catch twice.
    rig.player->Meter = 100.0f;
    rig.player->Update();
    EXPECT_EQ(CountPosted(kEventLifeLost), 1);

    int frames = 2;
    while (rig.player->State == kPlayerDying && frames < 200)
    {
        rig.player->Update();
        ++frames;
    }
    EXPECT_EQ(rig.player->State, kPlayerPlaying);
    // The catching update, 94 updates fading from 1500 ms in 16 ms steps, the respawning one.
    EXPECT_EQ(frames, 1 + 94 + 1);
    EXPECT_FLOAT_EQ(rig.transform->position.x, 2.0f);
    EXPECT_FLOAT_EQ(rig.transform->position.y, 3.0f);
    EXPECT_FLOAT_EQ(rig.transform->rotation, 0.0f);
    EXPECT_EQ(rig.transform->scale, kStandScale);
    EXPECT_TRUE(rig.body->gravity);
    EXPECT_FLOAT_EQ(rig.sprite->Transparency, 1.0f);
}

TEST(PlayerStateLife, NoLivesLeftStaysDown)
{
    PlayerRig rig;
    rig.player->Life = 0;
    rig.player->Caught = true;
    rig.player->Update();
    for (int i = 0; i < 120; ++i) rig.player->Update();
    EXPECT_EQ(rig.player->State, kPlayerDying);
}

TEST(PlayerStateLife, MeterCoolsAndTheAlarmHasHysteresis)
{
    PlayerRig rig;
    FrameRateController::Get().measuredFrameRate = 62.5;
    rig.player->CheckPointPosition.x = 100.0f;
    rig.player->Meter = 85.0f;
    rig.player->Update();
    EXPECT_TRUE(rig.player->Alarmed);
    EXPECT_NEAR(rig.player->Meter, 85.0f - 3.0f / 62.5f, 1e-4);
    rig.player->Meter = 60.0f;
    rig.player->Update();
    EXPECT_TRUE(rig.player->Alarmed) << "between 50 and 80 the alarm keeps its value";
    rig.player->Meter = 49.0f;
    rig.player->Hidden = true;
    rig.player->Update();
    EXPECT_FALSE(rig.player->Alarmed);
    EXPECT_NEAR(rig.player->Meter, 49.0f - 9.0f / 62.5f, 1e-4);
}

TEST(PlayerStateLife, SafeZoneNearTheCheckPoint)
{
    PlayerRig rig;
    rig.player->CheckPointPosition.x = 5.0f;
    rig.transform->position.x = 5.6f;
    rig.player->Update();
    EXPECT_TRUE(rig.player->SafeZone);
    rig.transform->position.x = 4.3f;
    rig.player->Update();
    EXPECT_FALSE(rig.player->SafeZone);
}

TEST(PlayerStateEvents, LifeLostCountsDown)
{
    PlayerRig rig;
    PlayerRig::Deliver(kEventLifeLost);
    EXPECT_EQ(rig.player->Life, 2);
}
