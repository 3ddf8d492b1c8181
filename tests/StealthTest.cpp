// The stealth core played through: guards on patrol and their sight, catching and respawning,
// capture balls, EMPs and cameras, hiding, chargers and upgrades. The shipped levels' scripted
// runs are replayed by LevelRuns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/data/Json.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "game/GameTuning.h"
#include "game/enemies/GuardFov.h"
#include "game/enemies/GuardLogic.h"
#include "game/enemies/SecurityCamNode.h"
#include "game/player/Charger.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
#include "game/player/PokeBall.h"
#include "game/story/RecordAndPlay.h"
#include "tests/Harness.h"
#include "tests/StealthStage.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

using namespace Stealth;

namespace
{
// A floor three rows deep (its top at y 2.5) under `height` - 3 empty rows.
std::vector<std::string> Floor(int width, int height = 10)
{
    std::vector<std::string> rows(static_cast<size_t>(height), std::string(width, '.'));
    for (int r = height - 3; r < height; ++r) rows[static_cast<size_t>(r)].assign(width, '#');
    return rows;
}
// Makes cell (column, row) solid, row 0 being the bottom row.
void Solid(std::vector<std::string>& rows, int column, int row)
{
    rows[rows.size() - 1 - static_cast<size_t>(row)][static_cast<size_t>(column)] = '#';
}

Player& P()
{
    return *PlayerObject().Get<Player>();
}
Transform& At(GameObject* obj)
{
    return *obj->Get<Transform>();
}
const char* kStillCamera =
    R"("Camera": {"FOVScale": [5, 5], "SecurityCamera": {"AngleSpeed": 0, "DefaultAngle": 0}})";

} // namespace

TEST(GuardPatrol, TurnsAtAWallAndAtAPlatformEdgeAfterStanding)
{
    StageSpec stage;
    stage.rows = Floor(30);
    for (int c = 8; c <= 20; ++c)
        for (int r = 3; r <= 4; ++r) Solid(stage.rows, c, r);
    for (int r = 5; r <= 7; ++r) Solid(stage.rows, 20, r);
    stage.objects = {{"Guard.json", 14.0f, 5.45f}};
    auto game = Start(stage);
    GameObject* guard = OfArchetype("Guard.json").at(0);
    GuardLogic& logic = *guard->Get<GuardLogic>();
    float lo = 100.0f, hi = 0.0f;
    int flips = 0, lastDirection = logic.Direction, standing = 0, longestStand = 0;
    for (int f = 0; f < 900; ++f)
    {
        game->Frames(1);
        lo = std::min(lo, At(guard).position.x);
        hi = std::max(hi, At(guard).position.x);
        standing = logic.Walking ? 0 : standing + 1;
        longestStand = std::max(longestStand, standing);
        if (logic.Direction != lastDirection) ++flips;
        lastDirection = logic.Direction;
    }
    EXPECT_GT(hi, 17.5f) << "walks up to the wall";
    EXPECT_LT(hi, 19.0f) << "never into it";
    EXPECT_LT(lo, 9.0f) << "walks up to the edge";
    EXPECT_GT(lo, 7.9f) << "never off it";
    EXPECT_GE(flips, 2);
    EXPECT_NEAR(longestStand, 125, 2) << "stands 2000 ms at each turn";
    EXPECT_FALSE(logic.Captured);
}

// The column walk from the guard's side of the cone towards the player's column.
TEST(GuardSight, SolidColumnsBlockAndOpeningsDoNot)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, int>> solid; // (column, row)
        int direction;
        float playerX;
        bool clear;
    };
    const Case cases[] = {
        {"open ground", {}, 1, 13.0f, true},
        {"a full column between", {{12, 2}, {12, 3}, {12, 4}, {12, 5}, {12, 6}}, 1, 13.0f, false},
        {"an opening at the cone's bottom row",
         {{12, 3}, {12, 4}, {12, 5}, {12, 6}},
         1,
         13.0f,
         true},
        {"solid only at the top row", {{12, 6}}, 1, 13.0f, true},
        {"the column behind the player",
         {{12, 2}, {12, 3}, {12, 4}, {12, 5}, {12, 6}},
         1,
         11.0f,
         true},
        {"facing left, blocked", {{11, 2}, {11, 3}, {11, 4}, {11, 5}, {11, 6}}, -1, 10.0f, false},
        {"facing left, open", {}, -1, 10.0f, true},
        {"the player off the grid", {}, 1, 400.0f, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        GameObjectManager::Get().Reset();
        WorldFix::LoadEmptyMap(30, 10);
        for (auto cell : c.solid) WorldFix::SolidCell(cell.first, cell.second);
        EXPECT_EQ(ConeLineClear(10.0f, 14.0f, 6.0f, 2.5f, c.direction, c.playerX), c.clear);
    }
}

TEST(PlayerStanding, ACameraCatchesOnceTheCheckpointProtectsAndTheRespawnCostsALife)
{
    StageSpec stage;
    stage.rows = Floor(30);
    stage.playerX = 4.0f;
    stage.objects = {{"CheckPoint.json", 4.0f, 3.5f},
                     {"SecurityCamera.json", 4.0f, 6.5f, kStillCamera},
                     {"SecurityCamera.json", 12.0f, 6.5f, kStillCamera},
                     {"HealthBar.json", -0.8f, 0.85f}};
    auto game = Start(stage);
    game->Frames(30);
    EXPECT_EQ(P().Meter, 0.0f) << "under a cone at the checkpoint: safe";
    EXPECT_TRUE(P().SafeZone);
    game->KeyDown("D");
    int firstSeen = -1, caughtAt = -1;
    for (int f = 0; f < 300 && caughtAt < 0; ++f)
    {
        game->Frames(1);
        if (firstSeen < 0 && P().Meter > 0.0f) firstSeen = f;
        if (P().State == kPlayerDying) caughtAt = f;
        if (At(&PlayerObject()).position.x > 11.0f) game->KeyUp("D");
    }
    game->KeyUp("D");
    ASSERT_GE(firstSeen, 0);
    ASSERT_GE(caughtAt, 0);
    EXPECT_NEAR(caughtAt - firstSeen, 25, 2) << "250 a second fills the meter in 0.4 s";
    Delivered(kEventLifeLost);
    game->Frames(90);
    EXPECT_EQ(P().State, kPlayerDying);
    game->Frames(10);
    EXPECT_EQ(Delivered(kEventLifeLost), 0) << "one death, one event";
    EXPECT_EQ(P().State, kPlayerPlaying);
    EXPECT_EQ(P().Life, 2);
    EXPECT_FLOAT_EQ(At(&PlayerObject()).position.x, 4.0f);
    EXPECT_FLOAT_EQ(P().CheckPointPosition.y, 4.0f) << "0.5 above the checkpoint";
    EXPECT_EQ(OfArchetype("HealthBar.json").at(0)->Get<Sprite>()->TextureSlot, 1);
    EXPECT_GE(P().Meter, 0.0f) << "cooling stops at empty";
}

TEST(ThrownItems, ABallHoldsAGuardForTheCaptureTimeAndAZeroAimThrowsNothing)
{
    StageSpec stage;
    stage.rows = Floor(40);
    stage.playerX = 4.0f;
    stage.balls = 2;
    stage.objects = {{"Guard.json", 7.0f, 3.45f}};
    auto game = Start(stage);
    GameObject* guard = OfArchetype("Guard.json").at(0);
    GuardLogic& logic = *guard->Get<GuardLogic>();
    PlayerController& pc = *PlayerObject().Get<PlayerController>();
    game->Frames(10); // the guard walks away, its back to the player
    Send::MouseMove(1000, 300);
    Send::MouseButton(true, 1000, 300, SDL_BUTTON_RIGHT);
    game->Frames(1);
    Send::MouseButton(false, 1000, 300, SDL_BUTTON_RIGHT);
    EXPECT_EQ(pc.BallCount, 1);
    int hitAt = -1;
    for (int f = 0; f < 90 && hitAt < 0; ++f)
    {
        game->Frames(1);
        if (logic.BeingCaptured) hitAt = f;
    }
    ASSERT_GE(hitAt, 0) << "the ball never reached the guard";
    EXPECT_EQ(AudioSettings::Get().lastEffect, "Sounds/pokeballCapture.wav");
    EXPECT_FALSE(logic.Cone()->Get<GuardFOV>()->FovActive);
    game->Frames(2);
    GameObject* ball = OfArchetype("PokeBall.json").at(0);
    EXPECT_TRUE(ball->Get<PokeBall>()->HoldsGuard);
    int heldFor = 0;
    while (logic.Captured && heldFor < 400)
    {
        game->Frames(1);
        ++heldFor;
    }
    // Shrinking takes 3000 ms; the break-out comes at captureTimeMs (2200) and then regrows.
    EXPECT_GE(heldFor * 16, 2900);
    EXPECT_LE(heldFor * 16, 3400);
    EXPECT_TRUE(OfArchetype("PokeBall.json").empty()) << "the guard broke the ball";
    EXPECT_FLOAT_EQ(At(guard).scale.x, logic.HomeScale.x);
    EXPECT_TRUE(logic.Cone()->Get<GuardFOV>()->FovActive);

    // A recorded aim point on the player has no direction: nothing thrown, nothing counted.
    RecordAndPlay& record = *PlayerObject().Get<RecordAndPlay>();
    record.playing = true;
    record.aimPoint = At(&PlayerObject()).position;
    record.mouseButtons = kMouseRight;
    pc.Update();
    EXPECT_EQ(pc.BallCount, 1);
    EXPECT_TRUE(OfArchetype("PokeBall.json").empty());
}

TEST(SecurityCameras, AnEmpDarkensTheConeForTheBlackoutTime)
{
    StageSpec stage;
    stage.rows = Floor(30);
    stage.objects = {{"SecurityCamera.json", 12.0f, 6.5f, kStillCamera}};
    auto game = Start(stage);
    GameObject* body = OfArchetype("SecurityCamera.json").at(0);
    SecurityCamNode& node = *body->Get<SecurityCamNode>();
    GameObject* cone = node.ConeObject();
    ASSERT_NE(cone, nullptr);
    auto dropEmp = [&]
    {
        GameObject* emp = SpawnFromArchetype("EMP.json");
        At(emp).position = At(body).position;
        return emp;
    };
    dropEmp();
    game->Frames(2);
    EXPECT_FALSE(cone->collidable);
    EXPECT_FALSE(cone->Get<Sprite>()->Active);
    EXPECT_EQ(AudioSettings::Get().lastEffect, "Sounds/empsound.ogg");
    At(&PlayerObject()).position.x = 12.0f; // under the dark cone
    game->Frames(60);
    EXPECT_EQ(P().Meter, 0.0f) << "a dark cone counts for nothing";
    At(&PlayerObject()).position.x = 3.0f;
    int darkFrames = 62;
    while (!cone->collidable && darkFrames < 400)
    {
        game->Frames(1);
        ++darkFrames;
    }
    EXPECT_NEAR(darkFrames * 16, GameTuning::Get().cameraBlackoutMs, 48);
    EXPECT_TRUE(cone->Get<Sprite>()->Active);
    game->Frames(2);
    EXPECT_TRUE(OfArchetype("EMP.json").empty()) << "the stuck EMP goes with the blackout";
    EXPECT_FLOAT_EQ(At(body).position.x, 12.0f) << "the shaking body is home again";
    dropEmp();
    game->Frames(10);
    const float left = node.BlackoutTimer;
    dropEmp(); // a second EMP sticks but does not extend the blackout
    game->Frames(2);
    EXPECT_LT(node.BlackoutTimer, left);
    EXPECT_EQ(AudioSettings::Get().lastEffect, "Sounds/empsound.ogg");
}

TEST(Hiding, ACanHidesDrainsTheMeterAndALateLeaveDoesNotRevive)
{
    StageSpec stage;
    stage.rows = Floor(30);
    stage.playerX = 6.0f;
    stage.objects = {{"TrashCan.json", 7.0f, 3.25f}};
    auto game = Start(stage);
    game->Tap("W");
    game->Frames(2);
    ASSERT_TRUE(P().Hidden);
    EXPECT_EQ(P().State, kPlayerHidden);
    EXPECT_FLOAT_EQ(At(&PlayerObject()).position.x, 7.0f) << "moved into the can";
    EXPECT_FALSE(PlayerObject().Get<Sprite>()->Active);
    P().Meter = 50.0f;
    game->Frames(63);
    EXPECT_NEAR(P().Meter, 50.0f - 9.0f, 0.3f) << "9 a second in all while hidden";
    game->Tap("S");
    game->Frames(2);
    EXPECT_FALSE(P().Hidden);
    EXPECT_EQ(P().State, kPlayerPlaying);
    EXPECT_TRUE(PlayerObject().Get<Sprite>()->Active);
    P().State = kPlayerDying;
    P().RespawnTimer = 1500;
    EventManager::Get().PostEvent(kEventUnhide);
    game->Frames(1);
    EXPECT_EQ(P().State, kPlayerDying);
}

TEST(Pickups, ChargersFillOnlyWhatIsMissingAndUpgradesLastLonger)
{
    StageSpec stage;
    stage.rows = Floor(30);
    stage.playerX = 6.0f;
    stage.balls = 3;
    stage.objects = {{"BallCharger.json", 6.0f, 3.3f}, {"EmpUpgrade.json", 14.0f, 3.6f}};
    auto game = Start(stage);
    Charger& charger = *OfArchetype("BallCharger.json").at(0)->Get<Charger>();
    PlayerController& pc = *PlayerObject().Get<PlayerController>();
    const long sounds = AudioSettings::Get().effectsRequested;
    game->Frames(10);
    EXPECT_EQ(charger.ChargerState, kChargerReady) << "a full player leaves it ready";
    EXPECT_EQ(AudioSettings::Get().effectsRequested, sounds) << "and silent";
    pc.BallCount = 1;
    game->Frames(2);
    EXPECT_EQ(pc.BallCount, 3);
    EXPECT_EQ(Delivered(kEventBallPickedUp), 1);
    std::vector<int> states{charger.ChargerState};
    for (int f = 0; f < 260; ++f)
    {
        game->Frames(1);
        if (charger.ChargerState != states.back()) states.push_back(charger.ChargerState);
    }
    EXPECT_EQ(states, (std::vector<int>{3, 2, 0, 1}));
    const float blackout = GameTuning::Get().cameraBlackoutMs,
                life = GameTuning::Get().empLifetimeMs;
    At(&PlayerObject()).position.x = 14.0f;
    game->Frames(3);
    EXPECT_EQ(GameTuning::Get().cameraBlackoutMs, blackout + 1000.0f);
    EXPECT_EQ(GameTuning::Get().empLifetimeMs, life + 1000.0f);
    EXPECT_TRUE(OfArchetype("EmpUpgrade.json").empty());
}
