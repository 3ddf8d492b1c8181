// Helpers shared by the benchmark programs.
#pragma once

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "engine/core/Engine.h"
#include "game/GameRegistration.h"

// The one start-up every benchmark shares: the game registered, the engine started with the
// options, then `frames` frames run (the first loads the level). Returns Init's status (0: up).
inline int StartGame(const RunOptions& options, int frames = 1)
{
    if (options.headless) SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    RegisterGame();
    const int status = Engine::Get().Init(options);
    if (status == 0)
        for (int i = 0; i < frames; ++i) Engine::Get().Step();
    return status;
}

// The p-th percentile (0..1) of frame times, nearest rank; 0 for no samples.
inline double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0.0;
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    std::nth_element(v.begin(), v.begin() + static_cast<long>(i), v.end());
    return v[i];
}
