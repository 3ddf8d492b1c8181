#include "engine/core/FrameRateController.h"

#include <SDL.h>

FrameRateController& FrameRateController::Get()
{
    static FrameRateController instance;
    return instance;
}

void FrameRateController::BeginFrame()
{
    frameStartTicks = SDL_GetTicks();
    ++frameNumber;
}

void FrameRateController::EndFrame(bool pace)
{
    frameEndTicks = SDL_GetTicks();
    frameElapsedMs = frameEndTicks - frameStartTicks;
    if (pace && frameElapsedMs < frameBudgetMs && frameBudgetMs != 0)
    {
        uint32_t deadline = frameStartTicks + frameBudgetMs;
        for (;;)
        {
            uint32_t now = SDL_GetTicks();
            int32_t left = static_cast<int32_t>(deadline - now);
            if (left <= 0) break;
            if (left > 2) SDL_Delay(static_cast<uint32_t>(left - 2));
        }
        frameEndTicks = SDL_GetTicks();
        frameElapsedMs = frameEndTicks - frameStartTicks;
    }
    float seconds = static_cast<float>(frameElapsedMs) / 1000.0f;
    measuredFrameRate = seconds > 0.0f ? static_cast<double>(1.0f / seconds) : 1000.0;
}

void FrameRateController::EndVirtualFrame()
{
    frameEndTicks = frameStartTicks + frameBudgetMs;
    frameElapsedMs = frameBudgetMs;
    measuredFrameRate = static_cast<double>(1.0f / (static_cast<float>(frameBudgetMs) / 1000.0f));
}
