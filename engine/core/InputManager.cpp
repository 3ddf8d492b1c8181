#include "engine/core/InputManager.h"

#include <cmath>
#include <cstdio>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/mat4x4.hpp>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/core/GameRoles.h"
#include "engine/core/Log.h"
#include "engine/core/WindowManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"

namespace
{
const std::pair<const char*, int> kButtons[] = {
    {"A", 0},        {"B", 1},          {"X", 2},          {"Y", 3},           {"BACK", 4},
    {"START", 6},    {"L3", 7},         {"R3", 8},         {"LT", 9},          {"RT", 10},
    {"DPAD_UP", 11}, {"DPAD_DOWN", 12}, {"DPAD_LEFT", 13}, {"DPAD_RIGHT", 14},
};
} // namespace

float StickValue(int16_t raw)
{
    const int dead = 8000, range = 24767;
    int v = raw;
    if (v < -dead) return static_cast<float>(-((-v - dead) * 20 / range));
    if (v > dead) return static_cast<float>((v - dead) * 20 / range);
    return 0.0f;
}

InputManager& InputManager::Get()
{
    static InputManager instance;
    return instance;
}

InputManager::InputManager()
{
    Reset();
}

void InputManager::Reset()
{
    currentKeys.fill(0);
    previousKeys.fill(0);
    buttonsThisFrame.fill(false);
    buttonsLastFrame.fill(false);
    buttonNames.clear();
    for (const auto& b : kButtons) buttonNames[b.first] = b.second;
    injected_.clear();
    leftPressed = rightPressed = leftReleased = rightReleased = leftHeld = rightHeld = false;
    leftStickX = leftStickY = rightStickX = rightStickY = 0.0f;
    controllerConnected = windowFocusLost = keyDownThisFrame = false;
    triggerHeld_[0] = triggerHeld_[1] = false;
    mouseX = mouseY = 0;
    event = SDL_Event{};
}

void InputManager::OpenControllers(const std::string& prefPath)
{
    if (!prefPath.empty())
    {
        std::string db = prefPath + "gamecontrollerdb.txt";
        std::string text;
        if (Files::ReadFile(db, text))
            LogPrintf("input: %s: %d controller mappings\n", db.c_str(),
                      AddControllerMappings(text));
    }
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
    {
        if (!SDL_IsGameController(i)) continue;
        controller = SDL_GameControllerOpen(i);
        if (controller) controllerConnected = true;
        break;
    }
}

int InputManager::AddControllerMappings(const std::string& text)
{
    SDL_RWops* rw = SDL_RWFromConstMem(text.data(), static_cast<int>(text.size()));
    return rw ? SDL_GameControllerAddMappingsFromRW(rw, 1) : -1;
}

bool InputManager::TakeKeyboardSnapshot()
{
    keyCount = SDL_NUM_SCANCODES;
    return true;
}

int InputManager::Scancode(const char* key)
{
    SDL_Scancode sc = SDL_GetScancodeFromName(key);
    if (sc == SDL_SCANCODE_UNKNOWN) sc = SDL_GetScancodeFromKey(SDL_GetKeyFromName(key));
    return (sc > 0 && sc < SDL_NUM_SCANCODES) ? sc : 0;
}

bool InputManager::IsKeyPressed(const char* key) const
{
    return currentKeys[Scancode(key)] != 0;
}

bool InputManager::IsKeyTriggered(const char* key) const
{
    int sc = Scancode(key);
    return currentKeys[sc] && !previousKeys[sc];
}

bool InputManager::IsKeyReleased(const char* key) const
{
    int sc = Scancode(key);
    return previousKeys[sc] && !currentKeys[sc];
}

int InputManager::ButtonNumber(const char* name)
{
    int n = buttonNames[name]; // an unknown name joins the table as button "A", as the pad does
    return (n >= 0 && n < SDL_CONTROLLER_BUTTON_MAX) ? n : 0;
}

bool InputManager::IsButtonDown(const char* button)
{
    return buttonsThisFrame[ButtonNumber(button)];
}

bool InputManager::IsButtonTriggered(const char* button)
{
    int n = ButtonNumber(button);
    bool fired = buttonsLastFrame[n] && !buttonsThisFrame[n];
    if (fired) LogPrintf("UP and UP\n");
    return fired;
}

void InputManager::Update()
{
    buttonsLastFrame = buttonsThisFrame;
    buttonsThisFrame.fill(false);
    previousKeys = currentKeys;
    leftPressed = rightPressed = leftReleased = rightReleased = keyDownThisFrame = false;
    while (!injected_.empty())
    {
        event = injected_.front();
        injected_.pop_front();
        Handle(event);
    }
    SDL_Event e;
    while ((hadEvent = SDL_PollEvent(&e) > 0))
    {
        event = e;
        Handle(e);
    }
}

void InputManager::Handle(const SDL_Event& e)
{
    currentEventTicks = SDL_GetTicks();
    if (eventListener) eventListener(e);
    switch (e.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    {
        currentKeyCode = e.key.keysym.sym;
        int sc = e.key.keysym.scancode;
        if (sc <= 0 || sc >= SDL_NUM_SCANCODES) break;
        currentKeys[sc] = e.type == SDL_KEYDOWN ? 1 : 0;
        if (e.type == SDL_KEYDOWN && !previousKeys[sc]) keyDownThisFrame = true;
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) leftPressed = leftHeld = true;
        if (e.button.button == SDL_BUTTON_RIGHT) rightPressed = rightHeld = true;
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) leftReleased = true, leftHeld = false;
        if (e.button.button == SDL_BUTTON_RIGHT) rightReleased = true, rightHeld = false;
        break;
    case SDL_MOUSEMOTION:
        mouseX = e.motion.x;
        mouseY = e.motion.y;
        break;
    case SDL_CONTROLLERDEVICEADDED:
        OnControllerAdded(e.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        OnControllerRemoved();
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (e.cbutton.button < SDL_CONTROLLER_BUTTON_MAX)
            buttonsThisFrame[e.cbutton.button] = e.type == SDL_CONTROLLERBUTTONDOWN;
        if (e.type == SDL_CONTROLLERBUTTONDOWN) keyDownThisFrame = true;
        break;
    case SDL_WINDOWEVENT:
        HandleWindow(e.window);
        break;
    case SDL_CONTROLLERAXISMOTION:
        HandleAxis(e.caxis);
        break;
    default:
        break;
    }
}

void InputManager::OnControllerAdded(int32_t which)
{
    LogPrintf("Add Controller\n");
    if (!controller) OpenControllers(std::string());
    if (which == kScriptedDevice) controllerConnected = true;
    HideCursorForPlay();
}

void InputManager::OnControllerRemoved()
{
    LogPrintf("Add Delete\n");
    controllerConnected = false;
    if (controller && !SDL_GameControllerGetAttached(controller))
    {
        SDL_GameControllerClose(controller);
        controller = nullptr;
    }
    if (OnTitleLevel() && GameObjectManager::Get().paused) return;
    UseArrowCursor();
}

void InputManager::HandleWindow(const SDL_WindowEvent& w)
{
    Engine& engine = Engine::Get();
    AudioSettings& audio = AudioSettings::Get();
    switch (w.event)
    {
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (!OnTitleLevel())
        {
            CameraManager::Get().paused = true;
            GameObjectManager::Get().paused = true;
        }
        windowFocusLost = true;
        if (engine.musicStarted) audio.SetMusicVolume(0);
        break;
    case SDL_WINDOWEVENT_ENTER:
        if (windowFocusLost && !audio.muteMusic && !audio.muteAll && engine.musicStarted)
            audio.ApplyMusicVolume();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        engine.ShowQuitConfirmation();
        break;
    default:
        break;
    }
}

void InputManager::HandleTrigger(int index, int16_t value)
{
    // Half travel, with a little give so a trigger resting near the middle doesn't chatter.
    constexpr int16_t kPress = 16384, kRelease = 14000;
    const int button = ButtonNumber(index == 0 ? "LT" : "RT");
    if (!triggerHeld_[index] && value > kPress)
    {
        triggerHeld_[index] = true;
        buttonsThisFrame[button] = true;
        keyDownThisFrame = true;
    }
    else if (triggerHeld_[index] && value < kRelease)
    {
        triggerHeld_[index] = false;
        buttonsThisFrame[button] = false;
    }
}

void InputManager::HandleAxis(const SDL_ControllerAxisEvent& a)
{
    if (a.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || a.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)
    {
        HandleTrigger(a.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 0 : 1, a.value);
        return;
    }
    float v = StickValue(a.value);
    switch (a.axis)
    {
    case 0:
        leftStickX = v;
        break;
    case 1:
        leftStickY = -v;
        break;
    case 2:
        rightStickX = v;
        break;
    case 3:
        rightStickY = -v;
        break;
    default:
        break;
    }
}

void InputManager::HideCursorForPlay()
{
    if (OnTitleLevel() || GameObjectManager::Get().paused) return;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    static uint8_t blank[8] = {0};
    if (cursor) SDL_FreeCursor(cursor);
    cursor = SDL_CreateCursor(blank, blank, 8, 8, 4, 4);
    if (cursor) SDL_SetCursor(cursor);
}

void InputManager::UseArrowCursor()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    if (cursor) SDL_FreeCursor(cursor);
    cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (cursor) SDL_SetCursor(cursor);
}

glm::vec3 InputManager::GetMouseWorldPosition() const
{
    WindowManager& window = WindowManager::Get();
    float w = static_cast<float>(window.width > 0 ? window.width : 1);
    float h = static_cast<float>(window.height > 0 ? window.height : 1);
    glm::mat4 projection = PerspectiveProjection(w / h);
    glm::mat4 view = CameraManager::Get().CurrentView();
    float nx = static_cast<float>(mouseX) * 2.0f / w - 1.0f;
    float ny = 1.0f - static_cast<float>(mouseY) * 2.0f / h;
    glm::mat4 inv = glm::inverse(projection * view);
    glm::vec4 p0 = inv * glm::vec4(nx, ny, 0.0f, 1.0f);
    glm::vec4 p1 = inv * glm::vec4(nx, ny, 1.0f, 1.0f);
    p0 /= p0.w;
    p1 /= p1.w;
    glm::vec3 d = glm::normalize(glm::vec3(p1 - p0));
    float t = p0.z / -d.z;
    if (!(t >= 0.0f)) LogPrintf("mouse point projection failed\n");
    return glm::vec3(p0) + t * d;
}
