// BossFOV: one of the boss's turning vision cones. The player's own component reacts to the
// touch; the cone only turns, and "T" reverses every cone at once.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class BossFOV final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompBossFov;

    explicit BossFOV(GameObject* owner) : Component(owner, kCompBossFov) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    void DrawEditor() override;
    bool Deserialize(const JsonView& value) override;
    void WriteState(JsonWriter& w) const override;

    int turnSign = -1;
    float defaultAngle = 0.0f;
    float angleSpeed = 0.0f;
};

// The panel shared by the boss and its cones: a cone's turn speed and start angle (the boss
// itself has none and passes nullptr).
void DrawBossPanel(BossFOV* cone);
