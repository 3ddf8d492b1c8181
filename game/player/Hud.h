// The head-up display: a marker for HUD objects, the lives picture and the detection-meter bar.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

// Marks an object as part of the HUD; no behaviour of its own.
class HUD final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompHud;

    explicit HUD(GameObject* owner) : Component(owner, kCompHud) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
};

// The lives picture: sprite slot 0 three lives, 1 two, 2 one. Losing the last posts event 12.
class HealthBar final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompHealthBar;

    explicit HealthBar(GameObject* owner) : Component(owner, kCompHealthBar) {}

    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
};

// The detection-meter bar: its transform's scale x follows the player's Meter / 200, up to
// "Target" for a full meter.
class StaminaBar final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompStaminaBar;

    explicit StaminaBar(GameObject* owner) : Component(owner, kCompStaminaBar) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;

    double Step = 0.0, PreviousFill = 0.0, Target = 0.0;
};
