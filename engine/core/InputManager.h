// InputManager: keyboard, mouse, controller and window events turned into per-frame state.
//
// Keys are named by the platform's key names ("Escape", "Left Shift", "D"). The key state arrays
// are the manager's own, kept from the key events it handles, so that scripted input (tests,
// replays) and live input drive the game through exactly the same path.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include <glm/vec3.hpp>

// A controller event that no physical pad sent (scripted input) carries this device id.
constexpr int32_t kScriptedDevice = -1;

class InputManager
{
  public:
    static InputManager& Get();

    bool TakeKeyboardSnapshot();
    void Update();

    bool IsKeyPressed(const char* key) const;
    bool IsKeyTriggered(const char* key) const;
    bool IsKeyReleased(const char* key) const;
    bool IsButtonDown(const char* button);
    bool IsButtonTriggered(const char* button);

    void HideCursorForPlay();
    void UseArrowCursor();
    glm::vec3 GetMouseWorldPosition() const;

    // Queues an event to be handled at the start of the next Update, before the platform's own.
    void Inject(const SDL_Event& event) { injected_.push_back(event); }
    // Loads "gamecontrollerdb.txt" from the preference folder (when present) and opens a pad.
    void OpenControllers(const std::string& prefPath);
    // Hears every platform event as it is handled (the editor's GUI); empty when unset.
    std::function<void(const SDL_Event&)> eventListener;
    // Adds the mappings of a controller mapping file's text; how many, or -1 (SDL's count).
    static int AddControllerMappings(const std::string& text);
    // Forget everything (tests).
    void Reset();

    std::array<uint8_t, SDL_NUM_SCANCODES> currentKeys{};
    std::array<uint8_t, SDL_NUM_SCANCODES> previousKeys{};
    SDL_Event event{};
    int32_t currentKeyCode = 0;
    uint32_t currentEventTicks = 0;
    int keyCount = SDL_NUM_SCANCODES;
    bool hadEvent = false;
    bool leftPressed = false, rightPressed = false, leftReleased = false, rightReleased = false;
    bool leftHeld = false, rightHeld = false;
    bool controllerConnected = false;
    SDL_Cursor* cursor = nullptr;
    bool keyDownThisFrame = false;
    SDL_GameController* controller = nullptr;
    std::map<std::string, int> buttonNames;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttonsThisFrame{};
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttonsLastFrame{};
    float rightStickX = 0.0f, rightStickY = 0.0f, leftStickX = 0.0f, leftStickY = 0.0f;
    bool windowFocusLost = false;
    int32_t mouseX = 0, mouseY = 0;

  private:
    InputManager();
    void Handle(const SDL_Event& e);
    void HandleWindow(const SDL_WindowEvent& w);
    void HandleAxis(const SDL_ControllerAxisEvent& a);
    // Analogue triggers press "LT" / "RT" as the shoulder buttons do, once per pull past half
    // travel: on most pads those names are triggers, not buttons.
    void HandleTrigger(int index, int16_t value);
    void OnControllerAdded(int32_t which);
    void OnControllerRemoved();
    int ButtonNumber(const char* name);
    static int Scancode(const char* key);

    std::deque<SDL_Event> injected_;
    bool triggerHeld_[2] = {false, false};
};

// Stick value in the game's scale: -20..20 whole numbers, 0 inside the dead zone.
float StickValue(int16_t raw);
