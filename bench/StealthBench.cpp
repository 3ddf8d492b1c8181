// Engine CPU per frame, headless, on the second stealth level with every enemy of the stealth
// core at work: its two guards plus ten more, and six sweeping cameras, while the player plays
// the level's scripted run. The busiest shipped level has fewer; this is the ceiling we hold.
//
// Reports the per-frame median and 95th percentile ("median_ms", "p95_ms"). The engine is a
// process-wide singleton, so it starts once.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/core/Engine.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"

namespace
{
void Place(const char* archetype, float x, float y)
{
    if (GameObject* obj = SpawnFromArchetype(archetype))
        if (Transform* t = obj->Get<Transform>()) t->position = glm::vec3(x, y, 0.0f);
}

bool StartEngine()
{
    static int status = []
    {
        RunOptions options;
        options.headless = true;
        options.dataDir = BELLRUN_SOURCE_DIR "/data";
        options.level = "Level2.json";
        options.inputFile = BELLRUN_SOURCE_DIR "/tests/runs/Level2.json";
        int s = StartGame(options);
        if (s != 0) return s;
        // Ten more guards on the open floor and the walkway, six cameras over the floor.
        for (float x : {22.0f, 26.0f, 31.0f, 35.0f, 72.0f, 76.0f, 80.0f, 84.0f})
            Place("Guard.json", x, 3.45f);
        for (float x : {55.0f, 65.0f}) Place("Guard.json", x, 5.45f);
        for (float x : {12.0f, 30.0f, 44.0f, 60.0f, 78.0f, 88.0f})
            Place("SecurityCamera.json", x, 7.5f);
        return 0;
    }();
    return status == 0;
}

void BM_StealthLevelFrame(benchmark::State& state)
{
    if (!StartEngine())
    {
        state.SkipWithError("the engine did not start on Level2");
        return;
    }
    std::vector<double> ms;
    ms.reserve(1 << 16);
    for (auto _ : state)
    {
        auto t0 = std::chrono::steady_clock::now();
        Engine::Get().Step();
        auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    state.counters["median_ms"] = Percentile(ms, 0.5);
    state.counters["p95_ms"] = Percentile(ms, 0.95);
    state.counters["frames"] = static_cast<double>(ms.size());
}
// The scripted run leaves through the exit after about 1,840 frames: measure on this level only.
BENCHMARK(BM_StealthLevelFrame)->Unit(benchmark::kMillisecond)->Iterations(1700);
} // namespace

BENCHMARK_MAIN();
