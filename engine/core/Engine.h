// Engine: start-up, the nested frame loop and shutdown.
//
// The same loop runs with a window or headless (no window, GPU, audio output or pacing); only
// GPU work is skipped, behind the graphics seam, so a headless run reaches the same state as a
// windowed one given the same input.
#pragma once

#include <string>

#include "engine/core/RunOptions.h"
#include "engine/core/ScriptedInput.h"

class Engine
{
  public:
    static Engine& Get();

    // Creates the singletons in order and opens the window. Returns 0 to go on, otherwise the
    // process exit status (no data folder, no OpenGL 3.3 context, a missing font: 1; a bad
    // switch or script: 2).
    int Init(const RunOptions& options);
    void Run();
    // One frame, steps 1 to 22.
    void RunFrame();
    // One turn of the outer loop's work: a frame, then the pending level load if the frame ended
    // the level. Tests and benchmarks drive the game frame by frame through this.
    void Step();
    void Shutdown();

    std::string GetPrefPath() const { return prefPath; }
    bool Headless() const { return options_.headless; }
    long FramesRun() const { return framesRun_; }
    const RunOptions& Options() const { return options_; }

    // Pauses and shows the quit confirmation menu, hiding every other menu.
    void ShowQuitConfirmation();

    bool running = true;
    bool levelActive = true;
    bool titleMenuReached = false;
    bool fullscreen = true;
    std::string prefPath;
    bool menuActionPending = false;
    bool musicStarted = false;

  private:
    Engine() = default;
    bool OpenPlatform();
    // --data, or the first data folder found; false after a fatal line naming where it looked.
    bool ChooseDataRoot();
    // The four fonts; false after the fatal lines when one is missing.
    bool LoadFonts();
    void DebugKeys();
    void PauseKey();
    void CameraFollow();
    void FinishFrame();

    RunOptions options_;
    ScriptedInput script_;
    long framesRun_ = 0;
    bool started_ = false;
    bool platformOpen_ = false;
};
