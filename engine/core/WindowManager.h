// WindowManager: the window and its OpenGL context, or none at all in a headless run.
#pragma once

#include <SDL.h>

#include <string>

class WindowManager
{
  public:
    static WindowManager& Get();

    // Opens the window and an OpenGL 3.3 core context. fullscreen: over the desktop at its own
    // resolution; otherwise a window of width x height. False, after one fatal line saying what
    // was asked for and what the driver offers, when either cannot be had.
    bool Open(bool fullscreen, int width, int height);
    void RefreshSize();
    // Full screen over the desktop of the display the window is on, at the desktop's resolution
    // (the display mode is never changed); or windowed: where the player last had the window,
    // else two thirds of the display, centred. Without a window: nothing.
    void SetFullscreen(bool on);
    // Notes where the window is while it is windowed, for SetFullscreen(false) and the settings.
    void RememberWindowed();
    // The windowed place to come back to; w == 0 means none yet (two thirds, centred).
    SDL_Rect windowed{0, 0, 0, 0};
    void Swap();
    void Close();

    SDL_DisplayMode displayMode{};
    SDL_GLContext glContext = nullptr;
    SDL_Window* window = nullptr;
    int x = SDL_WINDOWPOS_UNDEFINED;
    int y = SDL_WINDOWPOS_UNDEFINED;
    int height = 400;
    int width = 800;
    std::string title = "Bellrun";

  private:
    WindowManager() = default;
};
