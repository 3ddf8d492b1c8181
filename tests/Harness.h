// Harness: the real engine, headless, driven frame by frame from a test.
#pragma once

#include <SDL.h>

#include <filesystem>
#include <string>

#include "engine/core/Engine.h"

// Platform events as a window delivers them, queued for the next input update: every test that
// presses, clicks or uses the pad goes through these. Mouse positions are window pixels; pad
// events come from the scripted controller.
namespace Send
{
void Key(const char* key, bool down);
void MouseMove(int x, int y);
void MouseButton(bool down, int x = 0, int y = 0, uint8_t button = SDL_BUTTON_LEFT);
void PadButton(SDL_GameControllerButton button, bool down);
} // namespace Send

class HeadlessGame
{
  public:
    // Starts the engine on a data root (the shipped one by default) at a level of the list
    // (the title level when empty). Init's status is in status().
    explicit HeadlessGame(const std::filesystem::path& dataRoot, const std::string& level = "");
    ~HeadlessGame();

    int status() const { return status_; }
    // Runs n frames (level loads included).
    void Frames(int n);
    void KeyDown(const char* key);
    void KeyUp(const char* key);
    // Presses a key for one frame, then releases it.
    void Tap(const char* key);
    // A left click (down for a frame, then up) or a pad button press, then `after` frames.
    void Click(int after = 1);
    void Pad(SDL_GameControllerButton button, int after = 1);
    void Axis(int axis, int value);
    void ConnectController();

  private:
    int status_ = 0;
};
