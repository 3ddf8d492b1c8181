#include "game/enemies/SecurityCamera.h"

#include <algorithm>

#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/Transform.h"

void SecurityCamera::Update()
{
    const int t = static_cast<int>(FrameRateController::Get().frameBudgetMs);
    if (Sweeping)
    {
        if (Timer <= t)
        {
            Timer = IdleTime;
            SweepSign = -SweepSign;
            Sweeping = 0;
        }
        else if (Transform* ct = owner ? owner->Get<Transform>() : nullptr)
        {
            ct->rotation +=
                static_cast<float>(t) * AngleSpeed * static_cast<float>(SweepSign) * 0.001f;
        }
    }
    else if (Timer <= t)
    {
        Timer = SearchTime;
        Sweeping = 1;
    }
    Timer -= t;
}

void SecurityCamera::HandleEvent(Event* event)
{
    if (event && event->type == kEventResetToInitial) Restart();
}

void SecurityCamera::Restart()
{
    Timer = SearchTime / 2;
    Sweeping = 1;
    if (Transform* ct = owner ? owner->Get<Transform>() : nullptr) ct->rotation = DefaultAngle;
}

Component* SecurityCamera::CopyFrom(const Component* other)
{
    const auto* o = dynamic_cast<const SecurityCamera*>(other);
    if (!o || o == this) return this;
    Timer = o->Timer;
    SweepSign = o->SweepSign;
    AngleSpeed = o->AngleSpeed;
    IdleTime = o->IdleTime;
    SearchTime = o->SearchTime;
    Sweeping = o->Sweeping;
    return this;
}

void SecurityCamera::ReadSettings(const JsonView& value)
{
    value.Read("AngleSpeed", AngleSpeed);
    if (value.Read("DefaultAngle", DefaultAngle))
        if (Transform* ct = owner ? owner->Get<Transform>() : nullptr) ct->rotation = DefaultAngle;
    value.Read("IdleTime", IdleTime);
    value.Read("SearchTime", SearchTime);
    // A negative sweep would halve into a negative timer; it means no sweep at all.
    SearchTime = std::max(SearchTime, 0);
    IdleTime = std::max(IdleTime, 0);
    value.Read("Timer", Timer);
    // Every camera starts in the middle of a sweep, whatever the file says.
    Timer = SearchTime / 2;
}

void SecurityCamera::WriteSettings(JsonWriter& writer) const
{
    writer.Key("SecurityCamera");
    writer.StartObject();
    writer.Key("AngleSpeed");
    writer.Double(AngleSpeed);
    writer.Key("DefaultAngle");
    writer.Double(DefaultAngle);
    writer.Key("IdleTime");
    writer.Int(IdleTime);
    writer.Key("SearchTime");
    writer.Int(SearchTime);
    writer.EndObject();
}

void SecurityCamera::WriteState(JsonWriter& w) const
{
    Transform* ct = owner ? owner->Get<Transform>() : nullptr;
    w.Key("Angle");
    w.Double(ct ? ct->rotation : 0.0f);
    w.Key("SweepSign");
    w.Int(SweepSign);
    w.Key("Sweeping");
    w.Int(Sweeping);
    w.Key("Timer");
    w.Int(Timer);
    w.Key("Collidable");
    w.Bool(owner ? owner->collidable : false);
}

void SecurityCamera::DrawEditor()
{
    float speed = AngleSpeed, angle = DefaultAngle;
    int idle = IdleTime, search = SearchTime, timer = Timer;
    Panel().Begin("SecurityCamera");
    bool changed = Panel().InputFloat("Rotation Speed", &speed, 0.1f, "%f");
    changed = Panel().InputFloat("Start Angle", &angle, 0.1f, "%f") || changed;
    changed = Panel().InputInt("Idel Time(Milisecond)", &idle) || changed;
    changed = Panel().InputInt("Search Time(Milisecond)", &search) || changed;
    // Shown for reference: every change restarts the sweep from its middle anyway.
    Panel().InputInt("Timer (Milisecond)", &timer);
    Panel().End();
    if (!changed) return;
    AngleSpeed = speed;
    DefaultAngle = angle;
    IdleTime = std::max(idle, 0);
    SearchTime = std::max(search, 0);
    Restart();
}
