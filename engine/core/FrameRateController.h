// FrameRateController: the frame clock. Every timer in the game steps by frameBudgetMs per frame,
// whatever the real frame took; measuredFrameRate is what per-second rates divide by.
#pragma once

#include <cstdint>

class FrameRateController
{
  public:
    static FrameRateController& Get();

    double targetFrameRate = 60.0;
    double measuredFrameRate = 0.0;
    uint32_t frameBudgetMs = 16;
    uint32_t frameStartTicks = 0;
    uint32_t frameEndTicks = 0;
    uint32_t frameElapsedMs = 0;
    // Frames begun so far: lets a component act once per frame however many copies of it run.
    uint64_t frameNumber = 0;

    void BeginFrame();
    // Paces the frame to at least frameBudgetMs (when pace is set) and measures it. Sleeps until
    // about 2 ms before the deadline and spins only the rest: a pure busy-wait would hold a core
    // at 100 % for the whole game.
    void EndFrame(bool pace);
    // A headless run has no real clock: every frame counts as exactly one budget long, so the
    // same input always gives the same run.
    void EndVirtualFrame();

  private:
    FrameRateController() = default;
};

// The frame step every timer counts in, in milliseconds (16 unless a test changes the budget).
inline float FrameMs()
{
    return static_cast<float>(FrameRateController::Get().frameBudgetMs);
}
