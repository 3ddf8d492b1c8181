#include "tests/Harness.h"

#include <cstring>

#include "engine/core/InputManager.h"
#include "tests/TestSupport.h"

HeadlessGame::HeadlessGame(const std::filesystem::path& dataRoot, const std::string& level)
{
    RunOptions options;
    options.headless = true;
    options.dataDir = dataRoot.string();
    options.level = level;
    options.prefDir = TestSupport::TempPrefFolder();
    status_ = Engine::Get().Init(options);
    // The first frame loads the starting level.
    if (status_ == 0) Frames(1);
}

HeadlessGame::~HeadlessGame()
{
    Engine::Get().Shutdown();
}

void HeadlessGame::Frames(int n)
{
    for (int i = 0; i < n; ++i) Engine::Get().Step();
}

namespace
{
SDL_Event Blank(Uint32 type)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}
} // namespace

void Send::Key(const char* key, bool down)
{
    SDL_Event e = Blank(down ? SDL_KEYDOWN : SDL_KEYUP);
    e.key.keysym.scancode = SDL_GetScancodeFromName(key);
    e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
    InputManager::Get().Inject(e);
}

void Send::MouseMove(int x, int y)
{
    SDL_Event e = Blank(SDL_MOUSEMOTION);
    e.motion.x = x;
    e.motion.y = y;
    InputManager::Get().Inject(e);
}

void Send::MouseButton(bool down, int x, int y, uint8_t button)
{
    SDL_Event e = Blank(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    InputManager::Get().Inject(e);
}

void Send::PadButton(SDL_GameControllerButton button, bool down)
{
    SDL_Event e = Blank(down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP);
    e.cbutton.button = static_cast<Uint8>(button);
    e.cbutton.which = kScriptedDevice;
    InputManager::Get().Inject(e);
}

void HeadlessGame::KeyDown(const char* key)
{
    Send::Key(key, true);
}
void HeadlessGame::KeyUp(const char* key)
{
    Send::Key(key, false);
}

void HeadlessGame::Click(int after)
{
    Send::MouseButton(true);
    Frames(1);
    Send::MouseButton(false);
    Frames(after);
}

void HeadlessGame::Pad(SDL_GameControllerButton button, int after)
{
    Send::PadButton(button, true);
    Frames(1);
    Send::PadButton(button, false);
    Frames(after);
}

void HeadlessGame::Tap(const char* key)
{
    KeyDown(key);
    Frames(1);
    KeyUp(key);
}

void HeadlessGame::Axis(int axis, int value)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.axis = static_cast<Uint8>(axis);
    e.caxis.value = static_cast<Sint16>(value);
    e.caxis.which = kScriptedDevice;
    InputManager::Get().Inject(e);
}

void HeadlessGame::ConnectController()
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_CONTROLLERDEVICEADDED;
    e.cdevice.which = kScriptedDevice;
    InputManager::Get().Inject(e);
}
