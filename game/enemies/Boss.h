// Boss: counts EMP hits. The first two each break one of its vision cones; the third starts the
// closing light that ends the fight (and every later hit sets it again).
#pragma once

#include <vector>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class Boss final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompBoss;
    static constexpr int kConesToBreak = 2;

    explicit Boss(GameObject* owner) : Component(owner, kCompBoss) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    void DrawEditor() override;
    void WriteState(JsonWriter& w) const override;
    // The level's vision cones, in the order they were made (an object is listed once).
    static std::vector<GameObject*> Cones();

    int hitCount = 0;
};
