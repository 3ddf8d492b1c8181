// The controller's rules on a hand-made player: movement, jumps, crawl, throws, counters, events.
#include <gtest/gtest.h>

#include "engine/core/CameraManager.h"
#include "engine/data/FileSystem.h"
#include "tests/PlayerTestRig.h"
#include "tests/TestSupport.h"

namespace
{
bool IsRed(const Rgba& c)
{
    return c.r == 220 && c.g == 0 && c.b == 0;
}
} // namespace

TEST(PlayerControllerMove, BothDirectionsHeldWalksRightFacingRight)
{
    PlayerRig rig;
    PlayerRig::Key("A", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, -5.0f);
    EXPECT_EQ(rig.pc->Facing, -1);
    EXPECT_TRUE(rig.sprite->Mirrored);
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 5.0f);
    EXPECT_EQ(rig.pc->Facing, 1);
    EXPECT_FALSE(rig.sprite->Mirrored);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseWalking);
    EXPECT_EQ(rig.sprite->TextureSlot, kPoseWalking);
    EXPECT_EQ(rig.sprite->AnimationIndex, kPoseWalking);
}

TEST(PlayerControllerMove, ReleaseStopsAndStands)
{
    PlayerRig rig;
    PlayerRig::Key("D", true);
    rig.Frame();
    PlayerRig::Key("D", false);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseStanding);
}

TEST(PlayerControllerMove, InTheAirThePoseIsAirborneAndLandingWalksOn)
{
    PlayerRig rig;
    rig.obj->collisionFlags = 0;
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_EQ(rig.pc->CurrentPose, kPoseInAir);
    rig.obj->previousCollisionFlags = 0;
    rig.obj->collisionFlags = kContactBottom;
    rig.Frame();
    EXPECT_EQ(rig.pc->CurrentPose, kPoseWalking);
}

TEST(PlayerControllerJump, OnlyFromTheGroundAndNotCrawling)
{
    PlayerRig rig;
    rig.obj->collisionFlags = 0; // in the air
    PlayerRig::Key("Space", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 0.0f) << "jumped in the air";

    PlayerRig::Key("Space", false);
    PlayerRig::Key("Left Shift", true);
    rig.obj->collisionFlags = kContactBottom;
    rig.Frame();
    ASSERT_TRUE(rig.pc->Crawling);
    PlayerRig::Key("Left Shift", false);
    PlayerRig::Key("Space", true);
    rig.obj->collisionFlags = kContactBottom;
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 0.0f) << "jumped while crawling";

    PlayerRig::Key("Space", false);
    rig.Frame();
    PlayerRig::Key("Left Shift", true); // stand up (no map: nothing overhead)
    rig.Frame();
    ASSERT_FALSE(rig.pc->Crawling);
    PlayerRig::Key("Space", true);
    rig.obj->collisionFlags = kContactBottom;
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 11.0f);
}

TEST(PlayerControllerJump, HeldSpaceDoesNotJumpAgain)
{
    PlayerRig rig;
    PlayerRig::Key("Space", true);
    rig.Frame();
    ASSERT_FLOAT_EQ(rig.body->velocity.y, 11.0f);
    rig.body->velocity.y = 0.0f;
    rig.obj->collisionFlags = kContactBottom;
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 0.0f);
}

TEST(PlayerControllerJump, RefusedWhileHidden)
{
    PlayerRig rig;
    rig.player->Hidden = true; // hidden but somehow still in play (event 24 path)
    PlayerRig::Key("Space", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 0.0f);
}

TEST(PlayerControllerCrawl, TogglesPosesScalesAndKeepsTheFeet)
{
    PlayerRig rig;
    rig.transform->position = glm::vec3(4.0f, 1.5f, 0.0f); // feet at 0.5
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    EXPECT_TRUE(rig.pc->Crawling);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseCrawlResting);
    EXPECT_EQ(rig.transform->scale, kCrawlRestScale);
    EXPECT_FLOAT_EQ(rig.transform->position.y - rig.transform->scale.y / 2, 0.5f);

    PlayerRig::Key("Left Shift", false);
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 3.0f);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseCrawlMoving);
    EXPECT_EQ(rig.transform->scale, kCrawlMoveScale);
    EXPECT_FLOAT_EQ(rig.transform->scale.y, 1.0f);

    PlayerRig::Key("D", false);
    rig.Frame();
    EXPECT_EQ(rig.pc->CurrentPose, kPoseCrawlResting);
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);

    PlayerRig::Key("Left Shift", true);
    rig.obj->collisionFlags = rig.obj->previousCollisionFlags = kContactBottom; // as the map pass
    rig.Frame();
    EXPECT_FALSE(rig.pc->Crawling);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseStanding);
    EXPECT_EQ(rig.transform->scale, kStandScale);
    EXPECT_FLOAT_EQ(rig.transform->position.y, 1.5f);
}

TEST(PlayerControllerCrawl, StandingUpIntoACeilingIsRefused)
{
    PlayerRig rig;
    rig.transform->position = glm::vec3(4.0f, 1.5f, 0.0f); // on a floor at row 0, feet at 0.5
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    ASSERT_TRUE(rig.pc->Crawling);
    PlayerRig::SolidCell(4, 2); // one free row above the floor: room to crawl, not to stand
    PlayerRig::Key("Left Shift", false);
    rig.Frame();
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    EXPECT_TRUE(rig.pc->Crawling);
    EXPECT_EQ(rig.transform->scale, kCrawlRestScale);

    // Two free rows: standing fits exactly.
    MapManager::Get().SolidGrid[4 * MapManager::Get().CapacityRows + 2] = 0;
    PlayerRig::SolidCell(4, 3);
    PlayerRig::Key("Left Shift", false);
    rig.Frame();
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    EXPECT_FALSE(rig.pc->Crawling);
    EXPECT_FLOAT_EQ(rig.transform->position.y, 1.5f);
}

TEST(PlayerControllerCrawl, ResetStandsUpWithTheFeetInPlace)
{
    PlayerRig rig;
    rig.transform->position = glm::vec3(4.0f, 1.5f, 0.0f);
    PlayerRig::Key("Left Shift", true);
    rig.Frame();
    rig.pc->Reset();
    EXPECT_FALSE(rig.pc->Crawling);
    EXPECT_EQ(rig.transform->scale, kStandScale);
    EXPECT_FLOAT_EQ(rig.transform->position.y, 1.5f);
    EXPECT_EQ(rig.sprite->TextureSlot, 0);
}

TEST(PlayerControllerThrow, EmptyHandTurnsTheCounterRedFor300MsFromTheFirstPress)
{
    PlayerRig rig;
    PlayerRig::Mouse(SDL_BUTTON_RIGHT, true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.pc->BallFailTimer, 300.0f - 16.0f);
    EXPECT_TRUE(IsRed(rig.pc->BallCounterColour));
    EXPECT_FALSE(IsRed(rig.pc->EmpCounterColour));
    int redFrames = 1;
    for (int i = 0; i < 40; ++i)
    {
        // Pressing again while red does not restart the warning.
        if (i == 5) PlayerRig::Mouse(SDL_BUTTON_RIGHT, false);
        if (i == 6) PlayerRig::Mouse(SDL_BUTTON_RIGHT, true);
        rig.Frame();
        if (IsRed(rig.pc->BallCounterColour)) ++redFrames;
    }
    EXPECT_EQ(redFrames, 19); // 300 ms in 16 ms frames
    EXPECT_EQ(rig.pc->BallCount, 0);

    // Once it has run out, a new press starts it again.
    PlayerRig::Mouse(SDL_BUTTON_LEFT, true);
    rig.Frame();
    EXPECT_TRUE(IsRed(rig.pc->EmpCounterColour));
}

TEST(PlayerControllerThrow, AThrowTakesOneItem)
{
    PlayerRig rig;
    // A real throw needs the ball's archetype and a camera to aim through.
    Files::SetDataRoot(TestSupport::ShippedData().string());
    CameraManager::Get().cameras.push_back(std::make_unique<Camera>(
        glm::vec3(4.0f, 1.5f, 15.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f)));
    rig.pc->BallCount = 2;
    PlayerRig::Mouse(SDL_BUTTON_RIGHT, true);
    rig.Frame();
    EXPECT_EQ(rig.pc->BallCount, 1);
    EXPECT_FALSE(IsRed(rig.pc->BallCounterColour));
}

TEST(PlayerControllerThrow, ControllerWithRightStickAtRestDoesNothing)
{
    PlayerRig rig;
    InputManager::Get().controllerConnected = true;
    rig.pc->BallCount = 0;
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_CONTROLLERBUTTONDOWN;
    e.cbutton.button = 10; // "RT"
    InputManager::Get().Inject(e);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.pc->BallFailTimer, 0.0f);
}

TEST(PlayerControllerEvents, FreezeStopsARiseButNotAFall)
{
    PlayerRig rig;
    rig.body->velocity = glm::vec2(5.0f, 4.0f);
    rig.pc->CurrentPose = kPoseInAir;
    PlayerRig::Deliver(kEventDialogOpen);
    EXPECT_TRUE(rig.pc->Frozen);
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 0.0f);
    EXPECT_EQ(rig.pc->CurrentPose, kPoseStanding);
    EXPECT_EQ(rig.sprite->TextureSlot, 0);
}

TEST(PlayerControllerEvents, LevelEndFreezesAndAFallGoesOn)
{
    PlayerRig rig;
    rig.body->velocity = glm::vec2(-5.0f, -4.0f);
    PlayerRig::Deliver(kEventLevelEnd);
    EXPECT_TRUE(rig.pc->Frozen);
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(rig.body->velocity.y, -4.0f);
    PlayerRig::Deliver(kEventCameraSwitched); // not the controller's: still frozen
    EXPECT_TRUE(rig.pc->Frozen);
}

TEST(PlayerControllerEvents, FrozenIgnoresInputUntilUnfrozenOnTheGround)
{
    PlayerRig rig;
    PlayerRig::Deliver(kEventDialogOpen);
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    EXPECT_FALSE(rig.pc->AimBox && rig.pc->AimBox->Get<Sprite>() &&
                 rig.pc->AimBox->Get<Sprite>()->Active);

    rig.obj->collisionFlags = kContactLeft;
    PlayerRig::Deliver(kEventDialogEnded);
    EXPECT_FALSE(rig.pc->Frozen);
    EXPECT_EQ(rig.obj->previousCollisionFlags, static_cast<uint32_t>(kContactLeft));
    EXPECT_EQ(rig.obj->collisionFlags, static_cast<uint32_t>(kContactBottom));
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 5.0f);
}

TEST(PlayerControllerEvents, CounterPopsOnlyAtExactlyThree)
{
    PlayerRig rig;
    rig.pc->EmpCount = 2;
    rig.pc->BallCount = 4;
    PlayerRig::Deliver(kEventEmpPickedUp);
    PlayerRig::Deliver(kEventBallPickedUp);
    EXPECT_FLOAT_EQ(rig.pc->EmpCounterScale.x, 0.07f);
    EXPECT_FLOAT_EQ(rig.pc->BallCounterScale.x, 0.07f);

    rig.pc->EmpCount = 3;
    PlayerRig::Deliver(kEventEmpPickedUp);
    EXPECT_FLOAT_EQ(rig.pc->EmpCounterScale.x, 0.105f) << "half as large again, not three times";
    EXPECT_FLOAT_EQ(rig.pc->EmpPopTimer, 1000.0f);
    EXPECT_FLOAT_EQ(rig.pc->BallCounterScale.x, 0.07f) << "a ball pop for an EMP pick-up";

    rig.pc->BallCount = 3;
    PlayerRig::Deliver(kEventBallPickedUp);
    EXPECT_FLOAT_EQ(rig.pc->BallCounterScale.x, 0.105f);
    rig.Frame();
    EXPECT_NEAR(rig.pc->BallCounterScale.x, 0.105f - 0.0012f, 1e-6);
    EXPECT_FLOAT_EQ(rig.pc->BallCounterScale.z, 1.0f);
    EXPECT_FLOAT_EQ(rig.pc->BallPopTimer, 1000.0f - 16.0f);
}

TEST(PlayerControllerEvents, ControlsDisabledAndEnabled)
{
    PlayerRig rig;
    PlayerRig::Deliver(kEventControlsDisabled);
    PlayerRig::Key("D", true);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    PlayerRig::Deliver(kEventControlsEnabled);
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 5.0f);
}

TEST(PlayerControllerCounters, DrawnWithTheCounterFontBesideTheirIconsAndPopRightwards)
{
    PlayerRig rig;
    rig.pc->BallCount = 3;
    rig.pc->EmpCount = 1;
    rig.Frame();
    const auto& queue = TextRenderer::Get().TextQueue;
    EXPECT_TRUE(queue.empty()) << "no item icons on screen (a cutscene, the demo): no counters";

    GameObject* icon = GameObjectManager::Get().CreateObject(kTypeHud);
    ASSERT_NE(icon, nullptr);
    icon->name = "BallIcon.json";
    TextRenderer::Get().ClearQueue();
    rig.Frame();
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].text, "x3");
    EXPECT_EQ(queue[0].fontName, "Fonts/EraserRegular.ttf");
    EXPECT_FLOAT_EQ(queue[0].position.x, 0.92f);
    EXPECT_EQ(queue[1].text, "x1");
    EXPECT_FLOAT_EQ(queue[1].position.x, 0.70f);

    // A pop keeps the counter's left edge where it was: it grows away from the icon beside it.
    rig.pc->EmpCount = 3;
    PlayerRig::Deliver(kEventEmpPickedUp);
    TextRenderer::Get().ClearQueue();
    rig.Frame();
    ASSERT_EQ(queue.size(), 2u);
    const TextRequest& emp = queue[1];
    EXPECT_NEAR(emp.position.x - emp.scale.x / 2, 0.70f - 0.07f / 2, 1e-5f);
    EXPECT_LT(emp.scale.x, 0.07f * 1.6f) << "half as large again at most";
}

TEST(PlayerControllerRobustness, MissingPartsDoNotCrash)
{
    PlayerRigParts none;
    none.transform = none.body = none.sprite = none.player = none.record = false;
    PlayerRig rig(none);
    const char* keys[] = {"A", "D", "Left Shift", "Space", "V", "M", "U", "I"};
    for (const char* k : keys) PlayerRig::Key(k, true);
    PlayerRig::Mouse(SDL_BUTTON_LEFT, true);
    PlayerRig::Mouse(SDL_BUTTON_RIGHT, true);
    rig.pc->BallCount = rig.pc->EmpCount = 3;
    for (int i = 0; i < 3; ++i) rig.Frame();
    for (const char* k : keys) PlayerRig::Key(k, false);
    rig.Frame();
    const int events[] = {3, 11, 16, 17, 18, 19, 22, 24};
    for (int type : events) PlayerRig::Deliver(type);
    rig.pc->Reset();
    rig.Frame();
    EXPECT_EQ(rig.pc->Facing, 1);
    EXPECT_EQ(rig.pc->BallCount, 3) << "with no transform there is nothing to throw from";
}

TEST(PlayerControllerData, ReadsAndWritesItsSection)
{
    PlayerRig rig;
    rapidjson::Document doc;
    ASSERT_TRUE(ParseJson(R"({"PocketBall": 2, "EMP": "three"})", doc, nullptr));
    rig.pc->EmpCount = 1;
    rig.pc->Deserialize(JsonView(&doc, "test.json"));
    EXPECT_EQ(rig.pc->BallCount, 2);
    EXPECT_EQ(rig.pc->EmpCount, 1) << "a mistyped key keeps the value";

    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    rig.pc->Serialize(writer);
    writer.EndObject();
    rapidjson::Document out;
    ASSERT_TRUE(ParseJson(buffer.GetString(), out, nullptr));
    JsonView section = JsonView(&out, "out")["PlayerController"];
    int balls = -1, emps = -1;
    EXPECT_TRUE(section.Read("PocketBall", balls));
    EXPECT_TRUE(section.Read("EMP", emps));
    EXPECT_EQ(balls, 2);
    EXPECT_EQ(emps, 1);
    EXPECT_STREQ(out.MemberBegin()->value.MemberBegin()->name.GetString(), "PocketBall");
}

TEST(PlayerControllerAim, AimBoxFromItsArchetypeFollowsTheStick)
{
    ResourceManager::Get().AddDocument(
        "GameData/GameObjects/Aimbox.json",
        R"({"Type": "AIMBOX", "Transform": {}, "Sprite": {"Static": "true"}})");
    PlayerRig rig;
    ASSERT_NE(rig.pc->AimBox, nullptr);
    ASSERT_NE(rig.pc->AimBox->Get<Transform>(), nullptr);
    rig.transform->position = glm::vec3(3.0f, 2.0f, 0.5f);
    InputManager::Get().controllerConnected = true;
    InputManager::Get().rightStickX = 10.0f;
    InputManager::Get().rightStickY = -20.0f;
    InputManager::Get().leftStickX = 0.0f;
    rig.pc->Update(); // no input update: keep the sticks as set
    glm::vec3 aim = rig.pc->AimBox->Get<Transform>()->position;
    EXPECT_FLOAT_EQ(aim.x, 3.5f);
    EXPECT_FLOAT_EQ(aim.y, 1.0f);
    EXPECT_FLOAT_EQ(aim.z, 0.5f);
    EXPECT_TRUE(rig.pc->AimBox->Get<Sprite>()->Active);

    rig.player->State = kPlayerDying;
    rig.pc->Update();
    EXPECT_FALSE(rig.pc->AimBox->Get<Sprite>()->Active) << "aim shown while dying";
}

TEST(PlayerControllerController, StickWalksAndStopsOnceAtRest)
{
    PlayerRig rig;
    InputManager& in = InputManager::Get();
    in.controllerConnected = true;
    in.leftStickX = 20.0f;
    rig.pc->Update();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 5.0f);
    in.leftStickX = 0.0f;
    rig.pc->Update();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);
    EXPECT_TRUE(rig.pc->StopLatched);
    rig.body->velocity.x = 2.0f; // something else pushes: the latched stop does not fight it
    rig.pc->Update();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 2.0f);
    in.leftStickY = 8.0f;
    rig.pc->Update();
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 11.0f) << "stick up jumps";
}

TEST(PlayerControllerPlayback, ARecordingDrivesTheCharacterInsteadOfTheKeys)
{
    PlayerRig rig;
    rig.record->playing = true;
    PlayerRig::Key("A", true); // live keys are not read during a playback
    rig.record->heldKeys = kRecD;
    rig.record->pressedKeys = kRecD | kRecSpace;
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 5.0f);
    EXPECT_FLOAT_EQ(rig.body->velocity.y, 11.0f);
    EXPECT_EQ(rig.pc->Facing, 1);

    rig.record->pressedKeys = 0;
    rig.record->heldKeys = 0;
    rig.record->releasedKeys = kRecD;
    rig.Frame();
    EXPECT_FLOAT_EQ(rig.body->velocity.x, 0.0f);

    // The crawl flips on the crawl bit held together with "A".
    rig.record->releasedKeys = 0;
    rig.record->heldKeys = kRecLeftShift;
    rig.Frame();
    EXPECT_FALSE(rig.pc->Crawling);
    rig.record->heldKeys = kRecLeftShift | kRecA;
    rig.Frame();
    EXPECT_TRUE(rig.pc->Crawling);

    rig.record->heldKeys = 0;
    rig.record->mouseButtons = 0x1;
    rig.Frame();
    EXPECT_GT(rig.pc->EmpFailTimer, 0.0f);
}
