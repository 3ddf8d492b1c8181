// ZentoTech: the two-picture sign: every 3000 ms its sprite switches between texture slots 0
// and 1.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class ZentoTech final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompZentoTech;
    static constexpr float kSwitchMs = 3000.0f;

    explicit ZentoTech(GameObject* owner) : Component(owner, kCompZentoTech) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;

    int state = 0;
    int initialState = 1;
    float timer = kSwitchMs;

  private:
    void Show(int slot);
};
