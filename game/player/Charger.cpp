#include "game/player/Charger.h"

#include <algorithm>

#include "engine/core/FrameRateController.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/ObjectTypes.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/player/PlayerController.h"

namespace
{
constexpr float kPopMs = 100.0f;
}

void Charger::OnCollision(GameObject* other)
{
    if (ChargerState != kChargerReady || !other || other->type != kTypePlayer || !owner) return;
    PlayerController* pc = other->Get<PlayerController>();
    if (!pc) return;
    int* count = owner->type == kTypeEmpCharger          ? &pc->EmpCount
                 : owner->type == kTypePocketBallCharger ? &pc->BallCount
                                                         : nullptr;
    // A full player leaves the charger ready.
    if (!count || *count >= kFull) return;
    *count = kFull;
    ChargerState = kChargerUsed;
    ChargerTimer = kPopMs;
    if (Transform* t = owner->Get<Transform>()) HomeScale = t->scale;
}

void Charger::Update()
{
    if (ChargerState == kChargerReady || !owner) return;
    Transform* t = owner->Get<Transform>();
    Sprite* s = owner->Get<Sprite>();
    const bool running = ChargerTimer > 0.0f;
    if (ChargerState == kChargerUsed || ChargerState == kChargerPopping)
    {
        if (running)
        {
            if (t) t->scale += glm::vec3(0.05f, 0.05f, 0.0f);
            if (s) s->Transparency = ChargerTimer / kPopMs;
        }
        else if (ChargerState == kChargerUsed)
        {
            ChargerState = kChargerRecharging;
            ChargerTimer = RechargeTime;
            if (t) t->scale.x = t->scale.y = 0.0f;
            if (s) s->Transparency = 0.0f;
        }
        else
        {
            ChargerState = kChargerReady;
            ChargerTimer = RechargeTime;
            if (t) t->scale = HomeScale;
            if (s) s->Transparency = 1.0f;
        }
    }
    else if (ChargerState == kChargerRecharging)
    {
        if (running)
        {
            float g = RechargeTime > 0.0f ? 1.0f - ChargerTimer / RechargeTime : 1.0f;
            if (t)
            {
                t->scale.x = HomeScale.x * g;
                t->scale.y = HomeScale.y * g;
            }
            if (s) s->Transparency = g;
        }
        else
        {
            ChargerState = kChargerPopping;
            ChargerTimer = kPopMs;
        }
    }
    if (running) ChargerTimer -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
}

bool Charger::Serialize(JsonWriter& writer) const
{
    writer.Key("Charger");
    writer.StartObject();
    writer.EndObject();
    return true;
}

bool Charger::Deserialize(const JsonView&)
{
    if (Transform* t = owner ? owner->Get<Transform>() : nullptr) t->scale.x = t->scale.y = 0.7f;
    return true;
}

void Charger::WriteState(JsonWriter& w) const
{
    w.Key("ChargerState");
    w.Int(ChargerState);
    w.Key("ChargerTimer");
    w.Double(ChargerTimer);
}

void Charger::DrawEditor()
{
    Panel().Begin("Charger");
    if (Panel().InputFloat("Recharge Time(Milisecond)", &RechargeTime, 100.0f, "%.0f"))
        RechargeTime = std::max(RechargeTime, 0.0f);
    Panel().End();
}
