#include "game/player/Player.h"

#include <cmath>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectTypes.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"
#include "game/enemies/GuardLogic.h"
#include "game/player/Charger.h"
#include "game/player/PlayerController.h"
#include "game/story/LevelFlow.h"

namespace
{
constexpr float kSafeZone = 0.6f;
constexpr float kMeterFull = 100.0f;
constexpr float kAlarmOn = 80.0f, kAlarmOff = 50.0f;
constexpr float kCoolPerSecond = 3.0f, kHiddenCoolPerSecond = 6.0f;

void ShowSprite(GameObject* owner, bool shown)
{
    if (Sprite* s = owner ? owner->Get<Sprite>() : nullptr) s->Active = shown;
}

void ResetController(GameObject* owner)
{
    if (PlayerController* pc = owner ? owner->Get<PlayerController>() : nullptr) pc->Reset();
}

void StopBody(GameObject* owner)
{
    if (Body* b = owner ? owner->Get<Body>() : nullptr) b->velocity = glm::vec2(0.0f);
}
} // namespace

void Player::CloseLight()
{
    // A step for every sprite drawn last frame, so a busier scene closes faster; the radius
    // comes to rest at the first value at or below 1.
    const float step = static_cast<float>(FrameRateController::Get().frameBudgetMs * 0.00001);
    const int drawn = GraphicsManager::Get().spritesDrawnLastFrame;
    bool small = false;
    for (int i = 0; i < drawn; ++i)
    {
        if (SpotlightRadius > 1.0f) SpotlightRadius -= step;
        small = small || SpotlightRadius < 6.0f;
    }
    if (small) EventManager::Get().PostEvent(kEventLevelEnd);
}

void Player::Update()
{
    if (spotLight) CloseLight();
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (t) SafeZone = std::fabs(t->position.x - CheckPointPosition.x) <= kSafeZone;
    if (StopOnLanding && owner && (owner->collisionFlags & kContactBottom))
    {
        StopBody(owner);
        StopOnLanding = false;
    }
    if (State == kPlayerDying)
    {
        if (RespawnTimer < 1)
            Respawn();
        else if (t)
        {
            float k = static_cast<float>(RespawnTimer) / static_cast<float>(kRespawnMs);
            if (Sprite* s = owner->Get<Sprite>()) s->Transparency = k;
            t->rotation += 0.2f;
            t->scale.x *= k;
            t->scale.y *= k;
        }
        RespawnTimer -= static_cast<int>(FrameRateController::Get().frameBudgetMs);
    }
    if (Meter >= kMeterFull || Caught)
    {
        Meter = 0.0f;
        Caught = false;
        // A player who is hidden or already dying is not caught again.
        if (State == kPlayerPlaying) Die();
    }
    else if (Meter >= kAlarmOn)
        Alarmed = true;
    else if (Meter < kAlarmOff)
        Alarmed = false;
    const double f = FrameRateController::Get().measuredFrameRate;
    if (Meter > 0.0f && f > 0.0)
    {
        Meter -= static_cast<float>(kCoolPerSecond / f);
        if (Hidden) Meter -= static_cast<float>(kHiddenCoolPerSecond / f);
        // The meter runs from 0 to 100: cooling past empty would leave the bar and the guards'
        // suspicion test reading a negative meter.
        if (Meter < 0.0f) Meter = 0.0f;
    }
}

void Player::Die()
{
    // Say why the screen goes dark: the last life lost starts the level again.
    ShowEndText(Life > 1 ? "CAUGHT" : "OUT OF LIVES - FROM THE TOP");
    // A line in the log for each catch: play tests count them there.
    LogPrintf("Caught: %d of 3 lives left\n", Life > 0 ? Life - 1 : 0);
    EventManager::Get().PostEvent(kEventLifeLost);
    State = kPlayerDying;
    if (Camera* camera = CameraManager::Get().GetCurrentCamera()) camera->smoothDescent = true;
    RespawnTimer = kRespawnMs;
    if (Body* b = owner ? owner->Get<Body>() : nullptr) b->gravity = false;
    AudioSettings::Get().PlayEffect("Sounds/laser.wav", 100);
    StopBody(owner);
    Hidden = false;
}

void Player::Respawn()
{
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (t) t->rotation = 0.0f;
    if (Body* b = owner ? owner->Get<Body>() : nullptr) b->gravity = true;
    ResetController(owner);
    Meter = 0.0f;
    // With no lives left the player stays down; the health bar ends the game.
    if (Life <= 0) return;
    if (Sprite* s = owner ? owner->Get<Sprite>() : nullptr) s->Transparency = 1.0f;
    State = kPlayerPlaying;
    if (t)
    {
        t->position.x = CheckPointPosition.x;
        t->position.y = CheckPointPosition.y;
    }
    StopBody(owner);
}

void Player::HandleEvent(Event* event)
{
    if (!event) return;
    switch (event->type)
    {
    case kEventControlsDisabled:
        if (State != kPlayerPlaying && State != kPlayerHidden) break;
        StopOnLanding = true;
        State = kPlayerPlaying;
        if (!Hidden) break;
        Hidden = false;
        ShowSprite(owner, true);
        EventManager::Get().PostEvent(kEventUnhide);
        break;
    case kEventLifeLost:
        --Life;
        break;
    case kEventHide:
        State = kPlayerHidden;
        Hidden = true;
        ShowSprite(owner, false);
        ResetController(owner);
        StopBody(owner);
        break;
    case kEventUnhide:
        // Only a hidden player comes out: delivered late, this must not revive a dying one.
        if (!Hidden) break;
        State = kPlayerPlaying;
        Hidden = false;
        ShowSprite(owner, true);
        ResetController(owner);
        break;
    default:
        break;
    }
}

void Player::OnCollision(GameObject* other)
{
    if (!other || State != kPlayerPlaying) return;
    const double f = FrameRateController::Get().measuredFrameRate;
    const float perSecond = f > 0.0 ? static_cast<float>(1.0 / f) : 0.0f;
    const bool exposed = !SafeZone && !godMode;
    switch (other->type)
    {
    case kTypeAlarm:
        if (exposed && !Hidden) Meter += 250.0f * perSecond;
        break;
    case kTypeDeadPool:
        if (exposed) Meter += 400.0f * perSecond;
        break;
    case kTypeBossFov:
        if (exposed) Meter += 350.0f * perSecond;
        break;
    case kTypeGuard:
        if (exposed && !Hidden)
            if (GuardLogic* guard = other->Get<GuardLogic>())
                if (!guard->Captured) Caught = true;
        break;
    case kTypeEmpCharger:
        TouchCharger(*other, kEventEmpPickedUp);
        break;
    case kTypePocketBallCharger:
        TouchCharger(*other, kEventBallPickedUp);
        break;
    case kTypePokeBallUpgrade:
    case kTypeEmpUpgrade:
        TakeUpgrade(*other);
        break;
    default:
        break;
    }
}

void Player::TouchCharger(const GameObject& charger, int event)
{
    const Charger* c = charger.Get<Charger>();
    const PlayerController* pc = owner ? owner->Get<PlayerController>() : nullptr;
    if (!c || !pc || c->ChargerState != kChargerReady) return;
    const int held = event == kEventEmpPickedUp ? pc->EmpCount : pc->BallCount;
    // The same test as the charger's own: a player holding a full set (or more) hears nothing.
    if (held >= Charger::kFull) return;
    AudioSettings::Get().PlayEffect("Sounds/newpickup.wav", 100);
    EventManager::Get().PostEvent(event);
}

void Player::TakeUpgrade(GameObject& upgrade)
{
    // A queued upgrade is still reported until the queue runs; take it once.
    GameObjectManager& objects = GameObjectManager::Get();
    for (GameObject* queued : objects.destroyQueue)
        if (queued == &upgrade) return;
    AudioSettings::Get().PlayEffect("Sounds/paperRipNew.mp3", 100);
    GameTuning& tuning = GameTuning::Get();
    if (upgrade.type == kTypePokeBallUpgrade)
    {
        tuning.captureTimeMs += 1000.0f;
    }
    else
    {
        tuning.cameraBlackoutMs += 1000.0f;
        tuning.empLifetimeMs += 1000.0f;
    }
    objects.QueueDestroy(&upgrade);
}

bool Player::Serialize(JsonWriter& writer) const
{
    writer.Key("Player");
    writer.StartObject();
    WriteNumbers(writer, "CheckPoint", &CheckPointPosition.x, 2);
    writer.Key("Life");
    writer.Int(Life);
    writer.EndObject();
    return true;
}

bool Player::Deserialize(const JsonView& value)
{
    State = kPlayerPlaying;
    Life = 3;
    value.Read("LightofTime", LightofTime);
    float checkpoint[2];
    if (value.ReadFloats("CheckPoint", checkpoint, 2))
    {
        CheckPointPosition.x = checkpoint[0];
        CheckPointPosition.y = checkpoint[1];
        if (Transform* t = owner ? owner->Get<Transform>() : nullptr)
        {
            t->position.x = checkpoint[0];
            t->position.y = checkpoint[1];
        }
    }
    if (value.Read("Life", Life))
    {
        if (Life == 2) EventManager::Get().PostEvent(kEventShowTwoLives);
        if (Life == 1) EventManager::Get().PostEvent(kEventShowOneLife);
    }
    return true;
}
