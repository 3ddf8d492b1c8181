// ButtonList: a menu's list of buttons (the menus themselves arrive with the menu feature).
#pragma once

#include "engine/objects/Component.h"

class ButtonList final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompButtonList;

    explicit ButtonList(GameObject* owner) : Component(owner, kCompButtonList) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}

    // Shows every button and selects the first when one is active.
    void ShowAll() { visible = true; }
    void HideAll() { visible = false; }

    bool visible = false;
};
