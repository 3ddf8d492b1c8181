// TrashCan: a hiding spot. The player's hide and leave inputs, given while touching the can,
// become the hide and leave events; the can shows whether it is occupied and which way the
// hidden player last looked.
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class TrashCan final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompTrashCan;

    explicit TrashCan(GameObject* owner) : Component(owner, kCompTrashCan) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject* other) override;
    void WriteState(JsonWriter& w) const override;
    void DrawEditor() override;

    bool Occupied = false;

  private:
    void Enter(GameObject& player, bool playback);
    void Leave(GameObject& player, bool playback);
    void Show(bool occupied, bool mirrored);
};
