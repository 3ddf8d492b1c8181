// Charger: a pick-up station that fills the player's EMPs (an "EMPCHARGER" object) or capture
// balls (a "POCKETBALLCHARGER"), then swells away, grows back and pops in ready again.
#pragma once

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

enum ChargerStateNumber
{
    kChargerPopping = 0,
    kChargerReady = 1,
    kChargerRecharging = 2,
    kChargerUsed = 3,
};

class Charger final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompCharger;
    static constexpr int kFull = 3;

    explicit Charger(GameObject* owner) : Component(owner, kCompCharger) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    void WriteState(JsonWriter& w) const override;
    void DrawEditor() override;

    float RechargeTime = 3000.0f;
    int ChargerState = kChargerReady;
    float ChargerTimer = 0.0f;
    glm::vec3 HomeScale{1.0f};
};
