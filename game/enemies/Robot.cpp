#include "game/enemies/Robot.h"

#include <cmath>
#include <cstdio>

#include "engine/core/AudioSettings.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/player/Player.h"

namespace
{
enum RobotSlot
{
    kSlotStanding = 0,
    kSlotMoving = 1,
    kSlotFlicking = 2,
};
constexpr float kDriveSpeed = 3.0f;
constexpr float kArrived = 0.05f;
constexpr float kBuzzRange = 5.0f;
constexpr int kBuzzMs = 2000;
constexpr float kFlickPauseMs = 500.0f;
constexpr float kControlsBackMs = 800.0f;

// One pair of number fields over x and y of a point.
void EditPair(const char* labelX, const char* labelY, float& x, float& y)
{
    Panel().InputFloat(labelX, &x, 0.1f, "%f");
    Panel().InputFloat(labelY, &y, 0.1f, "%f");
}
} // namespace

bool Robot::Deserialize(const JsonView& value)
{
    float p[2];
    if (value.ReadFloats("StartPos", p, 2))
    {
        StartPos = glm::vec3(p[0], p[1], 0.0f);
        if (Transform* t = owner ? owner->Get<Transform>() : nullptr)
        {
            t->position.x = p[0];
            t->position.y = p[1];
        }
    }
    if (value.ReadFloats("EndPos", p, 2)) EndPos = glm::vec3(p[0], p[1], 0.0f);
    if (value.ReadFloats("FlickSpeed", p, 2)) FlickSpeed = glm::vec2(p[0], p[1]);
    Destination = EndPos;
    Moving = true;
    GoingBack = false;
    // An end point to the left is reached by heading left; heading right it would never come.
    Heading = EndPos.x < StartPos.x ? -1.0f : 1.0f;
    SetLook(kSlotMoving);
    return true;
}

bool Robot::Serialize(JsonWriter& writer) const
{
    writer.Key("Robot");
    writer.StartObject();
    WriteNumbers(writer, "StartPos", &StartPos.x, 2);
    WriteNumbers(writer, "EndPos", &EndPos.x, 2);
    WriteNumbers(writer, "FlickSpeed", &FlickSpeed.x, 2);
    writer.EndObject();
    return true;
}

void Robot::OnCollision(GameObject* other)
{
    GameObject* player = GameObjectManager::Get().Player();
    if (!other || other != player || !owner) return;
    const Player* p = player->Get<Player>();
    if (p && p->Hidden) Flick(*player);
}

void Robot::Flick(GameObject& player)
{
    SetLook(kSlotFlicking);
    EventManager& events = EventManager::Get();
    events.PostEvent(kEventControlsDisabled);
    Speed = 0.0f;
    if (Body* b = player.Get<Body>())
        b->velocity = glm::vec2(-FlickSpeed.x * Heading, FlickSpeed.y);
    events.PostTimedEvent(kEventControlsEnabled, kControlsBackMs);
    // Addressed to this robot alone: a flick elsewhere in the level stops no other robot.
    events.PostTimedEvent(kEventRobotSignal, kFlickPauseMs, owner);
    FlickPending = true;
    AudioSettings::Get().PlayEffect("Sounds/robotFlick.wav", 100);
}

void Robot::HandleEvent(Event* event)
{
    if (!event || event->type != kEventRobotSignal || !FlickPending) return;
    FlickPending = false;
    SetLook(kSlotStanding);
    PauseTimer = PauseTime;
    if (Body* b = owner->Get<Body>()) b->velocity = glm::vec2(0.0f);
    Moving = false;
}

void Robot::Update()
{
    if (!owner) return;
    Buzz();
    if (SoundOn) SoundTimer -= static_cast<int>(FrameMs());
    if (!Moving)
    {
        if (PauseTimer < 0.0f)
        {
            Moving = true;
            SetLook(kSlotMoving);
        }
        PauseTimer -= FrameMs();
        return;
    }
    Drive();
}

void Robot::Buzz()
{
    GameObject* player = GameObjectManager::Get().Player();
    Transform* pt = player ? player->Get<Transform>() : nullptr;
    Transform* t = owner->Get<Transform>();
    if (!pt || !t) return;
    const bool near = std::fabs(pt->position.x - t->position.x) < kBuzzRange &&
                      std::fabs(pt->position.y - t->position.y) < kBuzzRange;
    AudioSettings& audio = AudioSettings::Get();
    if (!near)
    {
        SoundOn = false;
        audio.HaltEffect(SoundChannel);
        SoundChannel = -1;
        return;
    }
    if (!SoundOn)
    {
        SoundChannel = audio.PlayEffectFor("Sounds/RoboCut.wav", 90, kBuzzMs);
        SoundTimer = kBuzzMs;
        SoundOn = true;
        LogPrintf("Play Sound\n");
    }
    if (SoundTimer < 1) SoundOn = false;
}

void Robot::Drive()
{
    Transform* t = owner->Get<Transform>();
    if (!t) return;
    if (std::fabs(t->position.x - Destination.x) < kArrived)
    {
        SetLook(kSlotMoving);
        Destination = GoingBack ? EndPos : StartPos;
        GoingBack = !GoingBack;
        Heading = -Heading;
    }
    Speed = Heading * kDriveSpeed;
    if (Sprite* s = owner->Get<Sprite>()) s->Mirrored = Heading == -1.0f;
    if (Body* b = owner->Get<Body>()) b->velocity = glm::vec2(Speed, 0.0f);
}

void Robot::SetLook(int slot)
{
    if (!owner) return;
    if (Transform* t = owner->Get<Transform>())
    {
        t->scale.x = 2.0f;
        t->scale.y = 2.0f;
    }
    Sprite* s = owner->Get<Sprite>();
    if (!s) return;
    s->TextureSlot = s->AnimationIndex = slot;
    s->Timers[static_cast<size_t>(slot)] = 0.0;
    s->Animate(slot);
}

void Robot::DrawEditor()
{
    Panel().Begin("Robot");
    EditPair("Start Position X", "Start Position Y", StartPos.x, StartPos.y);
    EditPair("End Position X", "End Position Y", EndPos.x, EndPos.y);
    EditPair("FlickSpeed X", "FlickSpeed Y", FlickSpeed.x, FlickSpeed.y);
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (Panel().Button("Set Current Position to Start Position") && t)
    {
        t->position.x = StartPos.x;
        t->position.y = StartPos.y;
    }
    if (Panel().Button("Set Current Position to End Position") && t)
    {
        t->position.x = EndPos.x;
        t->position.y = EndPos.y;
    }
    Panel().End();
}

void Robot::WriteState(JsonWriter& w) const
{
    w.Key("Moving");
    w.Bool(Moving);
    w.Key("GoingBack");
    w.Bool(GoingBack);
    w.Key("Heading");
    w.Double(Heading);
    w.Key("Speed");
    w.Double(Speed);
    w.Key("PauseTimer");
    w.Double(PauseTimer);
    WriteNumbers(w, "Destination", &Destination.x, 2);
    w.Key("SoundOn");
    w.Bool(SoundOn);
    w.Key("FlickPending");
    w.Bool(FlickPending);
}
