#include "game/enemies/GuardLogic.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/data/MapManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/GameText.h"
#include "game/GameTuning.h"
#include "game/enemies/GuardFov.h"
#include "game/player/Player.h"
#include "game/player/PokeBall.h"

namespace
{
constexpr float kPatrolSpeed = 0.05f, kChaseSpeed = 0.1f;
constexpr float kConeOffset = 2.4f;
constexpr int kStandMs = 2000;
constexpr float kCaptureMs = 3000.0f;
enum GuardSlot
{
    kSlotStanding = 0,
    kSlotWalking = 1,
    kSlotAlert = 2,
    kSlotCaptured = 3,
};

void SayAbove(const Transform& t, const char* text)
{
    DrawWorldText(text, glm::vec3(t.position.x, t.position.y + 1.5f, t.position.z),
                  glm::vec3(0.8f, 1.0f, 1.0f), 255, 0, 0, "Fonts/Serif_Bold.ttf");
}
} // namespace

GuardLogic::GuardLogic(GameObject* owner) : Component(owner, kCompGuardLogic)
{
    if (!owner) return;
    if (Body* b = owner->Get<Body>()) b->velocity.x = Speed;
    if (Transform* t = owner->Get<Transform>()) HomeScale = t->scale;
    if (GameObject* cone = SpawnFromArchetype(kConeArchetype))
    {
        cone->AddComponent(new GuardFOV(cone, owner));
        FovObject = ObjectRef(cone);
    }
}

GuardLogic::~GuardLogic()
{
    if (GameObject* cone = FovObject.Get()) GameObjectManager::Get().QueueDestroy(cone);
}

void GuardLogic::HandleEvent(Event* event)
{
    if (event && event->type == kEventGuardBreakOut && !Escaping) Escaping = true;
}

void GuardLogic::OnCollision(GameObject* other)
{
    // A guard already going into a ball ignores a second one, even within the same frame.
    if (!other || Captured || BeingCaptured || other->type != kTypePokeBall) return;
    Capture(*other);
}

void GuardLogic::Capture(GameObject& ball)
{
    AudioSettings::Get().PlayEffect("Sounds/pokeballCapture.wav", 100);
    EventManager::Get().PostTimedEvent(kEventGuardBreakOut, GameTuning::Get().captureTimeMs, owner);
    CaptureTimer = kCaptureMs;
    BeingCaptured = true;
    Ball = ObjectRef(&ball);
    if (Body* b = owner->Get<Body>())
    {
        b->velocity = glm::vec2(0.0f);
        b->spin = 0.0f;
        b->gravity = false;
    }
    if (GameObject* cone = Cone())
        if (GuardFOV* fov = cone->Get<GuardFOV>()) fov->FovActive = false;
    ShowCone(false);
    if (Transform* t = owner->Get<Transform>())
        CapturePosition = t->position + glm::vec3(0.0f, 0.2f, 0.0f);
}

void GuardLogic::Update()
{
    if (!owner) return;
    if (BeingCaptured)
        UpdateBeingCaptured();
    else if (Escaping)
        UpdateEscaping();
    else if (!Captured)
        UpdatePatrol();
}

void GuardLogic::UpdateBeingCaptured()
{
    Transform* t = owner->Get<Transform>();
    Body* body = owner->Get<Body>();
    GameObject* ball = Ball.Get();
    Transform* ballAt = ball ? ball->Get<Transform>() : nullptr;
    if (ball)
        if (PokeBall* pb = ball->Get<PokeBall>()) pb->HoldsGuard = true;
    if (ballAt) BallPosition = ballAt->position;
    Speed = 0.0f;
    CaptureTimer -= FrameMs();
    if (t) SayAbove(*t, "!#$?");
    if (body) body->gravity = false;
    if (!Captured)
    {
        if (ballAt && t)
        {
            ballAt->position.x += t->position.x - ballAt->position.x;
            ballAt->position.y += t->position.y - ballAt->position.y;
        }
        Captured = true;
    }
    if (t)
    {
        t->scale.x = std::max(t->scale.x - 0.04f, 0.0f);
        t->scale.y = std::max(t->scale.y - 0.04f, 0.0f);
        // The ball drops with the guard inside once the guard has vanished into it.
        if (ball && (t->scale.x == 0.0f || t->scale.y == 0.0f))
            if (Body* bb = ball->Get<Body>()) bb->gravity = true;
    }
    SetLook(kSlotCaptured, owner->Get<Sprite>() ? owner->Get<Sprite>()->Mirrored : false);
    if (CaptureTimer <= 0.0f)
    {
        ShowCone(false);
        if (Sprite* s = owner->Get<Sprite>()) s->Active = false;
        if (body) body->velocity = glm::vec2(0.0f);
        BeingCaptured = false;
    }
}

void GuardLogic::UpdateEscaping()
{
    Transform* t = owner->Get<Transform>();
    Sprite* sprite = owner->Get<Sprite>();
    if (sprite) sprite->Active = true;
    SetLook(kSlotCaptured, sprite ? sprite->Mirrored : false);
    AudioSettings::Get().PlayEffect("Sounds/pokeballEscape.wav", 100);
    if (!t) return;
    t->scale.x = std::min(t->scale.x + 0.1f, HomeScale.x + 0.06f);
    t->scale.y = std::min(t->scale.y + 0.1f, HomeScale.y + 0.06f);
    if (std::fabs(t->scale.x - HomeScale.x) > 0.5f || std::fabs(t->scale.y - HomeScale.y) > 0.5f)
        return;
    Captured = false;
    t->position = CapturePosition;
    t->scale = HomeScale;
    ShowCone(true);
    Speed = 0.0f;
    if (GameObject* cone = Cone())
        if (GuardFOV* fov = cone->Get<GuardFOV>()) fov->FovActive = true;
    Direction = Heading == -1.0f ? -1 : 1;
    SetLook(kSlotStanding, sprite ? sprite->Mirrored : false);
    BeingCaptured = false;
    // Queued, not freed: the ball's own components may still be running this frame.
    if (GameObject* ball = Ball.Get()) GameObjectManager::Get().QueueDestroy(ball);
    Ball.Clear();
    if (Body* b = owner->Get<Body>()) b->gravity = true;
    Escaping = false;
    Walking = false;
    PauseTimer = -1;
}

void GuardLogic::UpdatePatrol()
{
    PauseTimer -= static_cast<int>(FrameMs());
    GameObject* playerObj = GameObjectManager::Get().Player();
    if (Player* player = playerObj ? playerObj->Get<Player>() : nullptr) React(*player);
    if (Walking) CheckEdges();
    if (PauseTimer < 0) WalkOn();
    PlaceCone();
    if (Body* b = owner->Get<Body>()) b->velocity.x = Speed;
    if (Transform* t = owner->Get<Transform>()) t->position.x += Speed;
}

void GuardLogic::React(const Player& player)
{
    Transform* t = owner->Get<Transform>();
    Transform* pt = player.owner ? player.owner->Get<Transform>() : nullptr;
    if (!t || !pt) return;
    if (player.Meter > 10.0f && !player.Alarmed)
    {
        if (!Noticed)
        {
            glm::vec3 d = pt->position - t->position;
            if (std::fabs(d.x) < 10.0f && std::fabs(d.y) < 5.0f)
                AudioSettings::Get().PlayEffect("Sounds/mmm.ogg", 70);
            Noticed = true;
        }
        if (!GameTuning::Get().levelTransitionActive) SayAbove(*t, "?");
    }
    else if (!player.Alarmed)
    {
        Noticed = false;
    }
    else
    {
        SayAbove(*t, "!");
        Chase(pt->position.x);
    }
}

void GuardLogic::Chase(float playerX)
{
    Transform* t = owner->Get<Transform>();
    Body* body = owner->Get<Body>();
    float gx = t->position.x;
    float vx = body ? body->velocity.x : 0.0f;
    int side = 0;
    if (gx > playerX && vx > 0.0f)
        side = -1;
    else if (gx < playerX && vx < 0.0f)
        side = 1;
    else if (gx == playerX && vx == 0.0f)
        side = 2;
    if (side == 0) return; // already closing in
    PauseTimer = kStandMs;
    Speed = side < 0 ? -kChaseSpeed : kChaseSpeed;
    FovOffset = side < 0 ? -kConeOffset : kConeOffset;
    Heading = side < 0 ? -std::fabs(Heading) : std::fabs(Heading);
    Direction = side < 0 ? -1 : 1;
    if (side == 2)
        SetLook(kSlotStanding, false, true);
    else
        SetLook(kSlotAlert, side < 0);
}

void GuardLogic::CheckEdges()
{
    Transform* t = owner->Get<Transform>();
    if (!t) return;
    const MapManager& map = MapManager::Get();
    const int below = static_cast<int>(t->position.y - 0.5f);
    if ((owner->collisionFlags & kContactLeft) ||
        !map.Solid(static_cast<int>(t->position.x - 0.5f), below))
        StandAndFace(1);
    if ((owner->collisionFlags & kContactRight) ||
        !map.Solid(static_cast<int>(t->position.x + 1.5f), below))
        StandAndFace(-1);
}

void GuardLogic::StandAndFace(int side)
{
    PauseTimer = kStandMs;
    Speed = 0.0f;
    Heading = -Heading;
    Walking = false;
    FovOffset = side * kConeOffset;
    SetLook(kSlotStanding, side < 0, true);
    Direction = side;
    if (Transform* t = owner->Get<Transform>()) t->position.x += 0.02f * side;
}

void GuardLogic::WalkOn()
{
    Walking = true;
    Speed = Heading * kPatrolSpeed;
    bool left = Heading == -1.0f;
    SetLook(kSlotWalking, left, false);
    FovOffset = left ? -kConeOffset : kConeOffset;
    Direction = static_cast<int>(Heading);
}

void GuardLogic::PlaceCone()
{
    GameObject* cone = Cone();
    GuardFOV* fov = cone ? cone->Get<GuardFOV>() : nullptr;
    Transform* ct = cone ? cone->Get<Transform>() : nullptr;
    Transform* t = owner->Get<Transform>();
    if (!fov || !fov->FovActive || !ct || !t) return;
    ct->position = glm::vec3(t->position.x + FovOffset, t->position.y - 0.2f, t->position.z);
    ct->rotation = static_cast<float>(Direction) * glm::pi<float>() * 0.5f;
    // The beam's picture stops at the floor on the side the turn puts below: one picture for
    // each way the guard faces.
    if (Sprite* s = cone->Get<Sprite>())
        if (s->TextureNumber > 1) s->TextureSlot = s->AnimationIndex = Direction < 0 ? 1 : 0;
}

void GuardLogic::SetLook(int slot, bool mirrored, bool resetTimer)
{
    Sprite* s = owner->Get<Sprite>();
    if (!s) return;
    s->TextureSlot = s->AnimationIndex = slot;
    s->Mirrored = mirrored;
    if (resetTimer) s->Timers[static_cast<size_t>(slot)] = 0.0;
}

void GuardLogic::ShowCone(bool shown)
{
    if (GameObject* cone = Cone())
        if (Sprite* s = cone->Get<Sprite>()) s->Active = shown;
}

void GuardLogic::WriteState(JsonWriter& w) const
{
    w.Key("Direction");
    w.Int(Direction);
    w.Key("Walking");
    w.Bool(Walking);
    w.Key("Captured");
    w.Bool(Captured);
    w.Key("BeingCaptured");
    w.Bool(BeingCaptured);
    w.Key("Escaping");
    w.Bool(Escaping);
    w.Key("CaptureTimer");
    w.Double(CaptureTimer);
    w.Key("PauseTimer");
    w.Int(PauseTimer);
}

void GuardLogic::DrawEditor()
{
    Panel().Begin("Guard");
    Panel().InputFloat("Walk Speed", &Speed, 0.01f, "%f");
    if (Panel().InputInt("Direction (-1 left, 1 right)", &Direction))
        Direction = Direction < 0 ? -1 : 1;
    Panel().InputFloat("Cone Offset", &FovOffset, 0.1f, "%f");
    Panel().Checkbox("Walking", &Walking);
    Panel().End();
}
