#include "game/enemies/BossFov.h"

#include <cmath>
#include <cstdint>

#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/Transform.h"
#include "game/DevKeys.h"

namespace
{
// The frame whose "T" has already been posted. Every cone sees the same key press; with one
// reverse event per cone, two cones would each flip twice and never turn round.
uint64_t reversedInFrame = UINT64_MAX;
} // namespace

bool BossFOV::Deserialize(const JsonView& value)
{
    value.Read("AngleSpeed", angleSpeed);
    if (value.Read("DefaultAngle", defaultAngle))
        if (Transform* t = owner ? owner->Get<Transform>() : nullptr) t->rotation = defaultAngle;
    return true;
}

void BossFOV::Update()
{
    FrameRateController& clock = FrameRateController::Get();
    if (Transform* t = owner ? owner->Get<Transform>() : nullptr)
    {
        const float f = static_cast<float>(clock.frameBudgetMs);
        t->rotation += f * angleSpeed * 0.0001f * static_cast<float>(turnSign);
        t->rotation = std::fmod(t->rotation, 360.0f);
    }
    if (DevKeyActs(DevKeys::kTurnCones) && reversedInFrame != clock.frameNumber)
    {
        reversedInFrame = clock.frameNumber;
        EventManager::Get().PostEvent(kEventBossVision);
    }
}

void BossFOV::HandleEvent(Event* event)
{
    if (event && event->type == kEventBossVision) turnSign = -turnSign;
}

void BossFOV::DrawEditor()
{
    DrawBossPanel(this);
}

void DrawBossPanel(BossFOV* cone)
{
    static float speed = 0.0f, angle = 0.0f;
    float* s = cone ? &cone->angleSpeed : &speed;
    float* a = cone ? &cone->defaultAngle : &angle;
    Panel().Begin("SecurityCamera");
    Panel().SliderFloat("Rotation Speed", s, 0.0f, 20.0f);
    Panel().SliderFloat("Start Angle", a, 0.0f, 20.0f);
    Panel().End();
}

void BossFOV::WriteState(JsonWriter& w) const
{
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    w.Key("Angle");
    w.Double(t ? t->rotation : 0.0f);
    w.Key("TurnSign");
    w.Int(turnSign);
    w.Key("Collidable");
    w.Bool(owner ? owner->collidable : false);
}
