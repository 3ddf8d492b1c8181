#include "game/player/PlayerController.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"
#include "game/DevKeys.h"
#include "game/GameLevels.h"
#include "game/GameNames.h"
#include "game/player/Player.h"
#include "game/player/PlayerIntent.h"
#include "game/player/PlayerThrows.h"
#include "game/story/RecordAndPlay.h"

namespace
{
constexpr float kWalkSpeed = 5.0f;
constexpr float kCrawlSpeed = 3.0f;
constexpr float kJumpSpeed = 11.0f;
constexpr float kFailMs = 300.0f;
constexpr float kPopMs = 1000.0f;
// A counter filled to three swells by half and settles back in about half a second, growing
// rightwards from its left edge so it never covers the icon or counter beside it.
constexpr float kPopScale = 0.105f;
constexpr float kPopShrink = 0.0012f;
// An exact two-tile clearance reads as touching the ceiling (a probe on a tile border falls in
// the tile above), so the stand-up test keeps the head this far below the standing height.
constexpr float kStandSlack = 0.02f;
const char* const kCounterFont = "Fonts/EraserRegular.ttf";

// The counters stand beside their icons: a level that shows no item icons (the cutscenes, the
// attract demo, the credits) shows no counters either.
bool CountersHidden()
{
    bool icons = false;
    GameObjectManager::Get().ForEachActive(
        kLayerHud, [&](GameObject& o)
        { icons = icons || o.name == "BallIcon.json" || o.name == "EmpIcon.json"; });
    return !icons;
}

const glm::vec3& ScaleOf(int pose)
{
    if (pose == kPoseCrawlMoving) return kCrawlMoveScale;
    if (pose == kPoseCrawlResting) return kCrawlRestScale;
    return kStandScale;
}

// Resets a sprite slot's timer; slots past the sprite's table are ignored.
void ZeroTimer(Sprite* sprite, int slot)
{
    if (sprite && slot >= 0 && slot < Sprite::kSlots) sprite->Timers[slot] = 0.0;
}

// Half-width the map pass gives a body: the first vertex's x, 0.5 for a body without one.
float BodyHalfWidth(const Body* body)
{
    return body && !body->vertices.empty() ? body->vertices[0].x : 0.5f;
}

Player* ThePlayer()
{
    GameObject* player = GameObjectManager::Get().Player();
    return player ? player->Get<Player>() : nullptr;
}

void Play(const char* sound, int volume)
{
    AudioSettings::Get().PlayEffect(sound, volume);
}
} // namespace

PlayerController::PlayerController(GameObject* owner) : Component(owner, kCompPlayerController)
{
    AimBox = SpawnFromArchetype("Aimbox.json");
    if (AimBox) aimBoxId_ = AimBox->id;
}

PlayerController::Parts PlayerController::FindParts() const
{
    Parts p;
    if (!owner) return p;
    p.transform = owner->Get<Transform>();
    p.body = owner->Get<Body>();
    p.sprite = owner->Get<Sprite>();
    p.record = owner->Get<RecordAndPlay>();
    return p;
}

Sprite* PlayerController::AimSprite() const
{
    // The slot may have been released and reused by something else since it was made.
    if (!AimBox || !AimBox->active || AimBox->id != aimBoxId_) return nullptr;
    return AimBox->Get<Sprite>();
}

void PlayerController::Update()
{
    Parts parts = FindParts();
    if (Sprite* aim = AimSprite()) aim->Active = false;
    EmpCounterColour = DefaultCounterColour;
    BallCounterColour = DefaultCounterColour;
    if (!Frozen)
    {
        Player* player = ThePlayer();
        // A level without a Player component still plays: nothing can be dying or hidden.
        bool alive = !player || player->State == kPlayerPlaying;
        if (alive && ControlsEnabled)
        {
            bool playing = parts.record && parts.record->IsPlaying();
            PlayerIntent intent =
                playing ? ReadPlaybackIntent(*parts.record) : ReadLiveIntent(parts.record);
            PlaceAimBox(parts, intent);
            Act(parts, intent, player);
            PoseFromContact(parts, intent.moveHeld);
        }
    }
    ApplyPose(parts);
    TickCounters();
    DrawCounters();
}

void PlayerController::PlaceAimBox(const Parts& parts, const PlayerIntent& intent)
{
    Sprite* sprite = AimSprite();
    Transform* aim = sprite ? AimBox->Get<Transform>() : nullptr;
    if (sprite) sprite->Active = true;
    if (!aim || !parts.transform) return;
    const glm::vec3 from = parts.transform->position;
    glm::vec2 offset(0.0f);
    if (intent.controller && !intent.playback)
        offset =
            glm::vec2(std::trunc(intent.rightStick.x), std::trunc(intent.rightStick.y)) / 20.0f;
    else
        offset = AimDirection(from, intent);
    aim->position = glm::vec3(from.x + offset.x, from.y + offset.y, from.z);
}

void PlayerController::Act(const Parts& parts, const PlayerIntent& intent, Player* player)
{
    const bool hidden = player && player->Hidden;
    if (intent.left) Move(parts, -1, hidden);
    if (intent.right) Move(parts, +1, hidden); // applied last, so right wins when both are held
    if (intent.crawl) ToggleCrawl(parts);
    if (intent.release) StopMoving(parts, intent.bothHeld);
    if (intent.stickStop && !StopLatched)
    {
        LogPrintf("Stop 2\n");
        StopLatched = true;
        StopMoving(parts, false);
    }
    if (intent.throwBall) Throw(parts, intent, true, hidden);
    if (intent.throwEmp) Throw(parts, intent, false, hidden);
    if (DevKeyActs(DevKeys::kPullBack))
        if (Camera* camera = CameraManager::Get().GetCurrentCamera()) camera->position.z += 0.1f;
    if (intent.jump && !hidden) Jump(parts, !intent.playback);
    DeveloperKeys(player);
    if (intent.tapMove && parts.sprite) parts.sprite->Animate(CurrentPose);
}

void PlayerController::Move(const Parts& parts, int direction, bool hidden)
{
    StopLatched = false;
    if (!hidden && parts.body)
        parts.body->velocity.x =
            static_cast<float>(direction) * (Crawling ? kCrawlSpeed : kWalkSpeed);
    SetPose(parts, Crawling ? kPoseCrawlMoving : kPoseWalking);
    if (parts.sprite) parts.sprite->Mirrored = direction < 0;
    Facing = direction;
}

void PlayerController::ToggleCrawl(const Parts& parts)
{
    Transform* t = parts.transform;
    if (!Crawling)
    {
        Crawling = true;
        // Feet stay where they are: the box shrinks from the top.
        if (t) t->position.y -= (t->scale.y - kCrawlMoveScale.y) * 0.5f;
        if (t) t->scale = kCrawlMoveScale;
        // The crawl box is out of the tiles before anything else moves.
        PhysicsManager::CollidePlayerWithMap(*owner);
        SetPose(parts, kPoseCrawlResting);
    }
    else
    {
        // Standing up into a ceiling would wedge the box in the tiles and the map pass would
        // shove the player sideways out of them.
        if (!CanStandUp(parts)) return;
        Crawling = false;
        if (t) t->position.y += (kStandScale.y - t->scale.y) * 0.5f;
        SetPose(parts, kPoseStanding);
    }
    ZeroTimer(parts.sprite, CurrentPose);
    if (parts.sprite) parts.sprite->Animate(CurrentPose);
}

bool PlayerController::CanStandUp(const Parts& parts) const
{
    const Transform* t = parts.transform;
    if (!t) return true;
    float feet = t->position.y - t->scale.y * 0.5f;
    float height = kStandScale.y - kStandSlack;
    float width = 2.0f * kStandScale.x * BodyHalfWidth(parts.body);
    uint32_t mask = PhysicsManager::TileTest(t->position.x, feet + height * 0.5f, width, height);
    return (mask & kContactTop) == 0;
}

void PlayerController::StopMoving(const Parts& parts, bool bothHeld)
{
    if (parts.body) parts.body->velocity.x = 0.0f;
    if (!Crawling)
    {
        if (!bothHeld) SetPose(parts, kPoseStanding);
        ZeroTimer(parts.sprite, kPoseStanding);
        return;
    }
    if (bothHeld)
        SetPose(parts, kPoseCrawlMoving);
    else
        SetPose(parts, kPoseCrawlResting);
}

void PlayerController::Throw(const Parts& parts, const PlayerIntent& intent, bool ball, bool hidden)
{
    // With a live controller the throw goes where the right stick points; at rest, nowhere.
    if (intent.controller && !intent.playback && intent.rightStick == glm::vec2(0.0f)) return;
    int& count = ball ? BallCount : EmpCount;
    float& failTimer = ball ? BallFailTimer : EmpFailTimer;
    if (count < 1)
    {
        if (failTimer <= 0.0f) failTimer = kFailMs;
        if (!intent.playback) Play(ball ? "Sounds/failthrow.wav" : "Sounds/failthrow.ogg", 25);
        return;
    }
    if (hidden || !parts.transform) return;
    // No direction (the aim point on the player, a centred stick in a recording): no throw.
    glm::vec2 aim = AimDirection(parts.transform->position, intent);
    if (aim == glm::vec2(0.0f)) return;
    GameObject* thrown = ball ? ThrowBall(parts.transform->position, aim)
                              : ThrowEmp(parts.transform->position, parts.transform->rotation, aim);
    if (!thrown) return;
    if (!intent.playback) Play("Sounds/throw.ogg", 100);
    --count;
}

void PlayerController::Jump(const Parts& parts, bool withSound)
{
    if (Crawling || !owner || (owner->collisionFlags & kContactBottom) == 0) return;
    if (withSound) Play("Sounds/jump.ogg", 25);
    if (parts.body) parts.body->velocity.y = kJumpSpeed;
}

void PlayerController::DeveloperKeys(Player* player)
{
    Camera* camera = CameraManager::Get().GetCurrentCamera();
    if (DevKeyActs(DevKeys::kClosingLight) && player) player->spotLight = !player->spotLight;
    if (DevKeyActs(DevKeys::kShake) && camera)
    {
        camera->shaking = true;
        camera->shakeTimeMs = 300.0f;
    }
    if (DevKeyActs(DevKeys::kStopShake) && camera)
    {
        camera->shaking = false;
        camera->shakeTimeMs = 0.0f;
    }
}

void PlayerController::PoseFromContact(const Parts& parts, bool moveHeld)
{
    if (Crawling || !owner) return;
    const bool grounded = owner->collisionFlags & kContactBottom;
    const bool wasGrounded = owner->previousCollisionFlags & kContactBottom;
    if (!grounded)
    {
        SetPose(parts, kPoseInAir);
        return;
    }
    if (wasGrounded) return;
    if (moveHeld)
    {
        SetPose(parts, kPoseWalking);
        if (parts.sprite) parts.sprite->Animate(kPoseWalking);
    }
    else
    {
        SetPose(parts, kPoseStanding);
    }
}

void PlayerController::ApplyPose(const Parts& parts)
{
    if (CurrentPose != PreviousPose) PoseChanged = true;
    if (parts.sprite && PoseChanged) parts.sprite->Animate(CurrentPose);
    PoseChanged = false;
    if (!parts.sprite) return;
    parts.sprite->TextureSlot = CurrentPose;
    parts.sprite->AnimationIndex = CurrentPose;
}

void PlayerController::SetPose(int pose)
{
    PreviousPose = CurrentPose;
    CurrentPose = pose;
}

void PlayerController::SetPose(const Parts& parts, int pose)
{
    SetPose(pose);
    if (parts.transform) parts.transform->scale = ScaleOf(pose);
}

void PlayerController::TickCounters()
{
    const float step = static_cast<float>(FrameRateController::Get().frameBudgetMs);
    auto pop = [&](float& timer, glm::vec3& scale)
    {
        if (timer > 0.0f && scale.x > DefaultCounterScale.x)
        {
            timer -= step;
            scale.x -= kPopShrink;
            scale.y -= kPopShrink;
        }
        else
        {
            scale = DefaultCounterScale;
        }
    };
    auto warn = [&](float& timer, Rgba& colour)
    {
        if (timer <= 0.0f) return;
        colour = EmptyCounterColour;
        timer -= step;
    };
    pop(EmpPopTimer, EmpCounterScale);
    pop(BallPopTimer, BallCounterScale);
    warn(EmpFailTimer, EmpCounterColour);
    warn(BallFailTimer, BallCounterColour);
}

void PlayerController::DrawCounters() const
{
    if (CountersHidden()) return;
    const glm::vec3 defaultScale = DefaultCounterScale;
    auto draw =
        [&defaultScale](int count, const glm::vec3& at, const glm::vec3& scale, const Rgba& colour)
    {
        TextRequest text;
        text.fontName = kCounterFont;
        text.position = at;
        text.position.x += (scale.x - defaultScale.x) / 2.0f;
        text.scale = scale;
        text.text = "x" + std::to_string(count);
        text.r = colour.r;
        text.g = colour.g;
        text.b = colour.b;
        text.a = colour.a;
        text.screenSpace = true;
        TextRenderer::Get().QueueText(text);
    };
    draw(BallCount, glm::vec3(0.92f, 0.87f, 0.0f), BallCounterScale, BallCounterColour);
    draw(EmpCount, glm::vec3(0.70f, 0.87f, 0.0f), EmpCounterScale, EmpCounterColour);
}

void PlayerController::HandleEvent(Event* event)
{
    if (!event) return;
    switch (event->type)
    {
    case kEventLevelEnd:
    case kEventDialogOpen:
    {
        if (Frozen) break;
        Frozen = true;
        SetPose(kPoseStanding);
        Parts parts = FindParts();
        ZeroTimer(parts.sprite, kPoseStanding);
        if (parts.sprite) parts.sprite->Animate(kPoseStanding);
        if (parts.body)
        {
            // A rise stops at once; a fall goes on to the ground.
            parts.body->velocity.x = 0.0f;
            if (parts.body->velocity.y > 0.0f) parts.body->velocity.y = 0.0f;
        }
        if (parts.sprite) parts.sprite->TextureSlot = parts.sprite->AnimationIndex = kPoseStanding;
        break;
    }
    case kEventDialogEnded:
        Frozen = false;
        if (owner)
        {
            owner->previousCollisionFlags = owner->collisionFlags;
            owner->collisionFlags = kContactBottom;
        }
        break;
    case kEventEmpPickedUp:
        if (EmpCount == 3)
        {
            EmpCounterScale = glm::vec3(kPopScale, kPopScale, 1.0f);
            EmpPopTimer = kPopMs;
        }
        break;
    case kEventBallPickedUp:
        if (BallCount == 3)
        {
            BallCounterScale = glm::vec3(kPopScale, kPopScale, 1.0f);
            BallPopTimer = kPopMs;
        }
        break;
    case kEventControlsEnabled:
        ControlsEnabled = true;
        break;
    case kEventControlsDisabled:
        ControlsEnabled = false;
        break;
    default:
        break; // 3 (camera switched) and the rest are not the controller's
    }
}

void PlayerController::Reset()
{
    Parts parts = FindParts();
    if (parts.sprite)
    {
        parts.sprite->TextureSlot = parts.sprite->AnimationIndex = kPoseStanding;
        ZeroTimer(parts.sprite, kPoseStanding);
        parts.sprite->Animate(kPoseStanding);
    }
    // Standing up from a crawl keeps the feet where they were, as the crawl toggle does.
    if (Crawling && parts.transform)
        parts.transform->position.y += (kStandScale.y - parts.transform->scale.y) * 0.5f;
    Crawling = false;
    StopLatched = false;
    if (parts.transform) parts.transform->scale = kStandScale;
    SetPose(kPoseStanding);
}

bool PlayerController::Serialize(JsonWriter& writer) const
{
    writer.Key("PlayerController");
    writer.StartObject();
    writer.Key("PocketBall");
    writer.Int(BallCount);
    writer.Key("EMP");
    writer.Int(EmpCount);
    writer.EndObject();
    return true;
}

bool PlayerController::Deserialize(const JsonView& value)
{
    value.Read("PocketBall", BallCount);
    value.Read("EMP", EmpCount);
    return true;
}
