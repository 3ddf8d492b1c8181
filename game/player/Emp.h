// EMP: a thrown EMP. It stops sliding once it rests on flat ground and is gone after its
// lifetime (the Engine's empLifetimeMs, raised by upgrades) or when boxed in on all sides.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class EMP final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompEmp;

    explicit EMP(GameObject* owner);

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    void WriteState(JsonWriter& w) const override;

    float Lifetime;
};
