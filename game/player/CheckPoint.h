// CheckPoint: touching it moves the player's respawn point here; the latest one lights up.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class CheckPoint final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompCheckPoint;

    explicit CheckPoint(GameObject* owner) : Component(owner, kCompCheckPoint) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    void WriteState(JsonWriter& w) const override;
    void DrawEditor() override;

    bool Activated = false;
};
