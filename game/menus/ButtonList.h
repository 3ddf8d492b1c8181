// ButtonList: a menu's buttons. Menus are ordinary game objects; their buttons are drawn as
// text and answer the mouse, the keyboard, the controller's stick and D-pad, and "A".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class ButtonList;

struct MenuButton
{
    ButtonList* owner = nullptr;
    glm::vec3 position{0.0f};          // device coordinates of the window, y up
    glm::vec3 scale{0.0f, 0.0f, 1.0f}; // click box and text size
    float direction = 0.0f;
    std::string text;
    std::string font;
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool active = false; // false: a heading that can't be pressed
    bool hidden = false;
    bool ui = false;
    int clickFunction = 0;
    bool hoverSoundPlayed = false;
    bool selected = false;
    uint32_t index = 0; // place in the file's array, headings included
};

class ButtonList final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompButtonList;
    // Stick and D-pad repeat delay.
    static constexpr float kRepeatMs = 200.0f;

    explicit ButtonList(GameObject* owner) : Component(owner, kCompButtonList) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    // Replaces the buttons with those of a "Buttons" array.
    bool Deserialize(const JsonView& value) override;

    // Shows every button with the selection back on the first; hides every button.
    void ShowAll();
    void HideAll();
    // Rewrites the toggles' labels ("Mute Music" / "Unmute Music", ...) from the flags.
    void RefreshToggleLabels();
    bool Shown() const;

    std::vector<std::unique_ptr<MenuButton>> activeButtons;
    std::vector<std::unique_ptr<MenuButton>> inactiveButtons;
    int selectedIndex = -1;
    float upRepeatTimer = 0.0f;
    float downRepeatTimer = 0.0f;

  private:
    void Navigate();
    void MoveUp();
    void MoveDown();
    // Left and right step the selected setting (a volume) down and up.
    void StepSelected();
    void UpdateButton(MenuButton& button, int position, bool mouseOverAny);
};

// The ClickFunction number of a name, or -1 for a name not in the table.
int ClickFunctionNumber(const std::string& name);
// The mouse is inside the button's click box (strict bounds).
bool MouseOver(const MenuButton& button);
