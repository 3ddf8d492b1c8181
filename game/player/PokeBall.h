// PokeBall: a thrown capture ball (the "ZentoBall"). It spins against its travel, wobbles while
// it holds a guard, and is gone after its lifetime whatever it hit.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class PokeBall final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompPokeBall;

    explicit PokeBall(GameObject* owner) : Component(owner, kCompPokeBall) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    void WriteState(JsonWriter& w) const override;

    bool HoldsGuard = false;
    int Lifetime = 3000;
};
