// WindowManager: the window and its OpenGL context, or none at all in a headless run.
#pragma once

#include <SDL.h>

#include <string>

class WindowManager
{
  public:
    static WindowManager& Get();

    // Opens the window and GL context. fullscreen: desktop size; otherwise a window of
    // width x height. Returns true when a window exists.
    bool Open(bool fullscreen, int width, int height);
    void RefreshSize();
    // Full screen at the desktop size of the display the window is on, or a window two thirds
    // of that size, centred on it. Without a window only the answer changes: nothing.
    void SetFullscreen(bool on);
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
