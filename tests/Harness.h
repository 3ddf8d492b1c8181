// Harness: the real engine, headless, driven frame by frame from a test.
#pragma once

#include <SDL.h>

#include <filesystem>
#include <string>

#include "engine/core/Engine.h"

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
    void Axis(int axis, int value);
    void ConnectController();

  private:
    int status_ = 0;
};
