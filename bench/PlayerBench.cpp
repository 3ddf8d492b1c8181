// Engine CPU per frame, headless on Level1, with the player walking back and forth.
//
// Reports the per-frame median and 95th percentile (counters "median_ms", "p95_ms") besides
// Google Benchmark's own mean. The engine is a process-wide singleton, so it starts once.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/core/Engine.h"
#include "engine/core/InputManager.h"

namespace
{
bool StartEngine()
{
    static int status = []
    {
        RunOptions options;
        options.headless = true;
        options.dataDir = BELLRUN_SOURCE_DIR "/data";
        options.level = "Level1.json";
        return StartGame(options);
    }();
    return status == 0;
}

void Key(const char* key, bool down)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = SDL_GetScancodeFromName(key);
    InputManager::Get().Inject(e);
}

void BM_Level1FrameWalking(benchmark::State& state)
{
    if (!StartEngine())
    {
        state.SkipWithError("the engine did not start on Level1");
        return;
    }
    // Spawn to the first crate is about 80 frames of walking: turn round every 70.
    const int leg = 70;
    std::vector<double> ms;
    ms.reserve(1 << 16);
    long frame = 0;
    bool right = true;
    Key("D", true);
    for (auto _ : state)
    {
        if (++frame % leg == 0)
        {
            Key(right ? "D" : "A", false);
            right = !right;
            Key(right ? "D" : "A", true);
        }
        auto t0 = std::chrono::steady_clock::now();
        Engine::Get().Step();
        auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    Key(right ? "D" : "A", false);
    state.counters["median_ms"] = Percentile(ms, 0.5);
    state.counters["p95_ms"] = Percentile(ms, 0.95);
    state.counters["frames"] = static_cast<double>(ms.size());
}
BENCHMARK(BM_Level1FrameWalking)->Unit(benchmark::kMillisecond)->MinTime(3.0);
} // namespace

BENCHMARK_MAIN();
