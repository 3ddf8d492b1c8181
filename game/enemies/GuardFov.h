// GuardFOV: a guard's vision cone. On contact with the player it decides whether the guard
// really sees them: nothing solid may stand between the guard's side of the cone and the
// player's column.
#pragma once

#include "engine/objects/Component.h"
#include "engine/objects/ObjectRef.h"
#include "game/GameNames.h"

class GuardFOV final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompGuardFov;

    GuardFOV(GameObject* owner, GameObject* guard) : Component(owner, kCompGuardFov), Guard(guard)
    {
    }

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    void WriteState(JsonWriter& w) const override;

    ObjectRef Guard;
    bool FovActive = true;
};

// The column walk of a cone from its guard's side to the player's column through the solid grid:
// true when the line is clear. The box is the cone's unrotated centre-and-scale box.
bool ConeLineClear(float left, float right, float top, float bottom, int direction, float playerX);
