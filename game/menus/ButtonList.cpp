#include "game/menus/ButtonList.h"

#include <cstring>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/WindowManager.h"
#include "engine/graphics/TextRenderer.h"
#include "game/GameNames.h"
#include "game/menus/MenuActions.h"
#include "game/menus/MenuNotice.h"

namespace
{
constexpr float kStickPush = 10.0f;

// Arrow keys and Return drive the selection as the D-pad and "A" do; moving the mouse hands
// the highlight back to it. One flag for every list, checked once a frame.
struct KeyNavigation
{
    long frame = -1;
    int32_t mouseX = 0, mouseY = 0;
    bool driving = false;
    bool pointerMoved = false;
};
KeyNavigation gKeys;

bool KeysDriving()
{
    InputManager& in = InputManager::Get();
    long frame = Engine::Get().FramesRun();
    if (frame != gKeys.frame)
    {
        gKeys.frame = frame;
        gKeys.pointerMoved = in.mouseX != gKeys.mouseX || in.mouseY != gKeys.mouseY;
        if (gKeys.pointerMoved) gKeys.driving = false;
        gKeys.mouseX = in.mouseX;
        gKeys.mouseY = in.mouseY;
    }
    return gKeys.driving;
}

// A pointer resting over a menu must not take the selection back from the keys every frame:
// only moving it (or clicking) chooses the button under it.
bool PointerChooses()
{
    KeysDriving();
    return gKeys.pointerMoved || InputManager::Get().leftPressed;
}

// Left and right on a setting that has steps (the volumes): -1, +1 or 0.
int SideStep()
{
    InputManager& in = InputManager::Get();
    if (in.IsKeyTriggered("Left") || in.IsKeyTriggered("A") || in.IsButtonTriggered("DPAD_LEFT"))
        return -1;
    if (in.IsKeyTriggered("Right") || in.IsKeyTriggered("D") || in.IsButtonTriggered("DPAD_RIGHT"))
        return 1;
    return 0;
}

bool KeyActivate()
{
    InputManager& in = InputManager::Get();
    return in.IsKeyTriggered("Return") || in.IsKeyTriggered("Keypad Enter") ||
           in.IsKeyTriggered("Space");
}

// "true" exactly; anything else (another word, another JSON type) is false.
bool ReadFlag(const JsonView& v, const char* key)
{
    std::string text;
    return v.Read(key, text) && text == "true";
}

void ReadButton(const JsonView& v, MenuButton& b)
{
    float pos[3] = {0.0f, 0.0f, 0.0f};
    if (v.ReadFloats("Position", pos, 3)) b.position = glm::vec3(pos[0], pos[1], pos[2]);
    float scale[2] = {0.0f, 0.0f};
    if (v.ReadFloats("Scale", scale, 2)) b.scale = glm::vec3(scale[0], scale[1], 1.0f);
    v.Read("Direction", b.direction);
    v.Read("Font", b.font);
    float color[3] = {0.0f, 0.0f, 0.0f};
    if (v.ReadFloats("Color", color, 3))
    {
        // Only the low byte counts; casting a huge or negative float would be undefined.
        auto low = [](float f)
        { return static_cast<uint8_t>(static_cast<long long>(f > 1e9f || f < -1e9f ? 0 : f)); };
        b.r = low(color[0]);
        b.g = low(color[1]);
        b.b = low(color[2]);
    }
    v.Read("Text", b.text);
    b.active = ReadFlag(v, "Active");
    b.ui = ReadFlag(v, "UI");
    b.hidden = ReadFlag(v, "Hidden");
    std::string function;
    if (v.Read("ClickFunction", function))
    {
        int number = ClickFunctionNumber(function);
        if (number >= 0)
            b.clickFunction = number;
        else
            v["ClickFunction"].Warn("unknown click function; \"NewGame\" is used");
    }
}
} // namespace

int ClickFunctionNumber(const std::string& name)
{
    for (const ClickName& f : kClickNames)
        if (name == f.name) return f.number;
    return -1;
}

bool MouseOver(const MenuButton& b)
{
    InputManager& in = InputManager::Get();
    WindowManager& window = WindowManager::Get();
    float w = static_cast<float>(window.width > 0 ? window.width : 1);
    float h = static_cast<float>(window.height > 0 ? window.height : 1);
    float mx = static_cast<float>(in.mouseX) * 2.0f / w - 1.0f;
    float my = 1.0f - static_cast<float>(in.mouseY) * 2.0f / h;
    return b.position.x - b.scale.x / 2 < mx && mx < b.position.x + b.scale.x / 2 &&
           b.position.y - b.scale.y / 2 < my && my < b.position.y + b.scale.y / 2;
}

bool ButtonList::Deserialize(const JsonView& value)
{
    if (!value.IsArray())
    {
        if (value.Valid()) value.Warn("expected an array of buttons");
        return true;
    }
    activeButtons.clear();
    inactiveButtons.clear();
    selectedIndex = -1;
    for (size_t i = 0; i < value.Size(); ++i)
    {
        // It keeps its place as a blank heading, so the buttons after it keep their indexes.
        if (!value.At(i).IsObject()) value.At(i).Warn("expected a button object; left blank");
        auto button = std::make_unique<MenuButton>();
        button->owner = this;
        button->index = static_cast<uint32_t>(i);
        ReadButton(value.At(i), *button);
        (button->active ? activeButtons : inactiveButtons).push_back(std::move(button));
    }
    RefreshToggleLabels();
    return true;
}

void ButtonList::ShowAll()
{
    for (auto& b : activeButtons) b->hidden = false, b->selected = false;
    for (auto& b : inactiveButtons) b->hidden = false;
    if (!activeButtons.empty()) selectedIndex = 0;
    RefreshToggleLabels();
}

void ButtonList::HideAll()
{
    for (auto& b : activeButtons) b->hidden = true;
    for (auto& b : inactiveButtons) b->hidden = true;
}

bool ButtonList::Shown() const
{
    for (auto& b : activeButtons)
        if (!b->hidden) return true;
    for (auto& b : inactiveButtons)
        if (!b->hidden) return true;
    return false;
}

void ButtonList::RefreshToggleLabels()
{
    for (auto& b : activeButtons)
    {
        std::string label = ToggleLabel(b->clickFunction);
        if (!label.empty()) b->text = label;
    }
}

void ButtonList::MoveUp()
{
    upRepeatTimer = downRepeatTimer = kRepeatMs;
    if (selectedIndex == 0)
        selectedIndex = static_cast<int>(activeButtons.size()) - 1;
    else if (selectedIndex != -1)
        --selectedIndex;
}

void ButtonList::MoveDown()
{
    upRepeatTimer = downRepeatTimer = kRepeatMs;
    // As unsigned, -1 is past every button, so it wraps to the first as the last does.
    if (static_cast<size_t>(static_cast<unsigned>(selectedIndex)) + 1 < activeButtons.size())
        ++selectedIndex;
    else
        selectedIndex = 0;
}

void ButtonList::Navigate()
{
    InputManager& in = InputManager::Get();
    float a = in.leftStickY, b = in.rightStickY;
    if (a == 0.0f) upRepeatTimer = 0.0f;
    if (b == 0.0f) downRepeatTimer = 0.0f;
    float step = static_cast<float>(FrameRateController::Get().frameBudgetMs);
    if (upRepeatTimer > 0.0f) upRepeatTimer -= step;
    if (downRepeatTimer > 0.0f) downRepeatTimer -= step;
    bool upReady = upRepeatTimer <= 0.0f, downReady = downRepeatTimer <= 0.0f;
    bool keyUp = in.IsKeyTriggered("Up") || in.IsKeyTriggered("W");
    bool keyDown = in.IsKeyTriggered("Down") || in.IsKeyTriggered("S");
    if (keyUp || keyDown || KeyActivate()) gKeys.driving = true;
    if ((a > kStickPush && upReady) || (b > kStickPush && downReady) ||
        (in.IsButtonTriggered("DPAD_UP") && upReady) || keyUp)
        MoveUp();
    else if ((a < -kStickPush && upReady) || (b < -kStickPush && downReady) ||
             (in.IsButtonTriggered("DPAD_DOWN") && upReady) || keyDown)
        MoveDown();
    StepSelected();
}

void ButtonList::StepSelected()
{
    if (selectedIndex < 0 || static_cast<size_t>(selectedIndex) >= activeButtons.size()) return;
    MenuButton& button = *activeButtons[static_cast<size_t>(selectedIndex)];
    if (button.hidden || !IsStepSetting(button.clickFunction)) return;
    int step = SideStep();
    if (step == 0 || Engine::Get().menuActionPending) return;
    gKeys.driving = true;
    StepSetting(button, step);
}

void ButtonList::Update()
{
    KeysDriving();
    DrawMenuNotice();
    Navigate();
    if (InputManager::Get().controllerConnected || KeysDriving())
        for (size_t i = 0; i < activeButtons.size(); ++i)
            activeButtons[i]->selected = static_cast<int>(i) == selectedIndex;
    bool mouseOverAny = false;
    for (auto& b : activeButtons) mouseOverAny = mouseOverAny || (!b->hidden && MouseOver(*b));
    // Index loops: a click function never adds buttons, but it may hide this list.
    for (size_t i = 0; i < activeButtons.size(); ++i)
        UpdateButton(*activeButtons[i], static_cast<int>(i), mouseOverAny);
    for (size_t i = 0; i < inactiveButtons.size(); ++i)
        UpdateButton(*inactiveButtons[i], -1, mouseOverAny);
}

void ButtonList::UpdateButton(MenuButton& button, int position, bool mouseOverAny)
{
    if (button.hidden) return;
    TextRequest text;
    text.r = button.r, text.g = button.g, text.b = button.b;
    if (button.active)
    {
        InputManager& in = InputManager::Get();
        bool over = MouseOver(button);
        if (over && PointerChooses())
        {
            for (auto& other : activeButtons) other->selected = false;
            // The place among the active buttons: headings before it must not shift it.
            selectedIndex = position;
            button.selected = true;
        }
        if (!button.selected)
        {
            button.hoverSoundPlayed = false;
        }
        else
        {
            if (!button.hoverSoundPlayed) AudioSettings::Get().PlayEffect("Sounds/button.wav", 35);
            button.hoverSoundPlayed = true;
            text.r = 180, text.g = 0, text.b = 0;
            // A mouse click belongs to the button under it; elsewhere it presses the selection.
            bool mouseClick = in.leftPressed && (over || !mouseOverAny);
            bool pressed = mouseClick || in.IsButtonDown("A") || KeyActivate();
            if (pressed && !Engine::Get().menuActionPending)
            {
                AudioSettings::Get().PlayEffect("Sounds/select.wav", 35);
                RunClickFunction(button.clickFunction, button);
            }
        }
    }
    if (button.hidden) return; // the click just closed this menu
    text.fontName = button.font;
    text.position = button.position;
    text.scale = button.scale;
    text.rotation = button.direction;
    text.text = button.text;
    text.a = 255; // the record's alpha is 0; the label is drawn opaque
    text.screenSpace = button.ui;
    TextRenderer::Get().QueueText(text);
}
