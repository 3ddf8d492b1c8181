// LevelBench: every shipped level played in a real window, frame by frame, with its scripted
// run; reports the rendered frame's median and 95th percentile, start-up to the first presented
// frame, shut-down and peak memory. Run it under a virtual X server:
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./build/LevelBench [--size WxH] [--source DIR] [LEVEL]
//   ./build/LevelBench --headless [LEVEL]
//
// --repeat N plays every level N times and adds the middle of the runs' medians and of their
// p95s: on a shared machine one run's p95 moves by several milliseconds.
//
// --steps also prints where each run's start-up went, step by step. A cold start (a machine
// whose GL driver has not compiled the game's shaders yet) is had with an empty shader cache:
// MESA_SHADER_CACHE_DIR=$(mktemp -d) for Mesa.
//
// --headless plays the same runs with no window and no GPU: what is timed is the engine's CPU
// work per frame (update, physics, the draw walk with nothing to draw to).
// With no level it runs itself once per level (the engine is a process-wide singleton, and each
// level's peak memory is then its own). The clock is fixed (--fixed-clock), so a windowed run
// plays exactly as the headless one and frames are not paced: what is timed is the work.
#include <GL/glew.h>
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/core/Engine.h"
#include "engine/core/StartupClock.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Gpu.h"

namespace
{
using Clock = std::chrono::steady_clock;

struct LevelRun
{
    std::string level;
    std::string input; // relative to the source tree; empty: no input
    long frames;
};

// Every level of the data's level list is played. These have a run of their own: a walk, or a
// test run cut before its exit; the others play their test run in tests/runs/ up to its last
// press (the lift's W: the level is still on screen), or watch themselves for 900 frames.
const LevelRun kRuns[] = {
    {"MainMenu.json", "", 1000},
    {"Level1.json", "bench/runs/Level1.json", 900},
    {"Level2.json", "tests/runs/Level2.json", 1830},
    {"Level3.json", "tests/runs/Level3.json", 1680},
    {"MovingTurLevel.json", "bench/runs/Walk.json", 900},
    {"GuardCutscene.json", "", 900},
    {"RobotCutscene.json", "", 900},
    {"RobotLevel.json", "tests/runs/RobotLevel.json", 1060},
    {"Level8.json", "tests/runs/Level8.json", 870},
    {"EndLevel.json", "bench/runs/Walk.json", 900},
    {"AutoLevel.json", "", 900},
};

// The frame of a scripted run's last event; 0 when the file holds none.
long LastEventFrame(const std::string& path)
{
    std::string text;
    rapidjson::Document doc;
    if (!Files::ReadFile(path, text) || !ParseJson(text, doc, nullptr)) return 0;
    const rapidjson::Value* events = &doc;
    if (doc.IsObject() && doc.HasMember("Events")) events = &doc["Events"];
    long last = 0;
    if (events->IsArray())
        for (const rapidjson::Value& e : events->GetArray())
            if (e.IsObject() && e.HasMember("frame") && e["frame"].IsInt())
                last = std::max(last, static_cast<long>(e["frame"].GetInt()));
    return last;
}

// The runs for every entry of System/LevelList.json (the table's when it has one).
std::vector<LevelRun> Runs(const std::string& source)
{
    std::vector<LevelRun> runs;
    std::string text;
    rapidjson::Document list;
    if (!Files::ReadFile(source + "/data/System/LevelList.json", text) ||
        !ParseJson(text, list, nullptr) || !list.IsArray())
    {
        std::printf("LevelBench: no level list in %s/data/System\n", source.c_str());
        return runs;
    }
    for (const rapidjson::Value& entry : list.GetArray())
    {
        if (!entry.IsString()) continue;
        const std::string level = entry.GetString();
        LevelRun run{level, "", 900};
        const LevelRun* known = std::find_if(std::begin(kRuns), std::end(kRuns),
                                             [&](const LevelRun& r) { return r.level == level; });
        if (known != std::end(kRuns))
            run = *known;
        else if (long last = LastEventFrame(source + "/tests/runs/" + level); last > 0)
            run = LevelRun{level, "tests/runs/" + level, last};
        runs.push_back(run);
    }
    return runs;
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// One frame as the outer loop runs it; the level load that may follow is timed apart.
double TimedFrame(Engine& engine)
{
    Clock::time_point t0 = Clock::now();
    engine.RunFrame();
    if (Gpu::Enabled()) glFinish();
    double ms = Ms(Clock::now() - t0);
    if (!engine.levelActive && engine.running)
    {
        LevelManager::Get().LoadLevel();
        engine.levelActive = true;
    }
    return ms;
}

// Where start-up went: the program's loading before Init, each step of Init, the first frame
// (no level yet) and the level's load; then the level's first frame, where the driver compiles
// what it draws with (on a machine without its shader cache, most of a cold start).
void PrintStartupSteps(const char* level, double startup, double firstFrame, double levelLoad,
                       const std::vector<double>& ms)
{
    double inInit = 0.0;
    std::string steps;
    for (const StartupStep& step : StartupSteps())
    {
        inInit += step.ms;
        steps +=
            std::string(step.name) + " " + std::to_string(static_cast<int>(step.ms + 0.5)) + ", ";
    }
    std::printf("%-20s start-up steps (ms): before Init %.0f, %sfirst frame %.0f, level load "
                "%.0f; then the level's first frame %.0f\n",
                level, startup - inInit - firstFrame - levelLoad, steps.c_str(), firstFrame,
                levelLoad, ms.empty() ? 0.0 : ms[0]);
}

// The tree whose data and runs are played (--source DIR; a copy, to measure an older build).
std::string g_source = BELLRUN_SOURCE_DIR;
bool g_headless = false;
// --steps: each run also prints where its start-up went.
bool g_steps = false;

int RunLevel(const LevelRun& run, int width, int height, Clock::time_point processStart)
{
    RunOptions options;
    options.dataDir = g_source + "/data";
    options.level = run.level;
    options.headless = g_headless;
    options.windowed = !g_headless;
    options.fixedClock = true;
    options.width = width;
    options.height = height;
    options.frames = run.frames;
    if (!run.input.empty()) options.inputFile = g_source + "/" + run.input;
    Engine& engine = Engine::Get();
    if (StartGame(options, 0) != 0 || Gpu::Enabled() == g_headless)
    {
        std::printf("%s: %s\n", run.level.c_str(),
                    g_headless ? "the engine did not start" : "no GL context (run under xvfb-run)");
        return 1;
    }
    Clock::time_point f0 = Clock::now();
    double firstFrame = TimedFrame(engine);
    double levelLoad = Ms(Clock::now() - f0) - firstFrame;
    double startup = Ms(Clock::now() - processStart);
    std::vector<double> ms;
    while (engine.running) ms.push_back(TimedFrame(engine));
    if (!g_headless) PrintStartupSteps(run.level.c_str(), startup, firstFrame, levelLoad, ms);
    Clock::time_point s0 = Clock::now();
    engine.Shutdown();
    double shutdown = Ms(Clock::now() - s0);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (g_headless)
    {
        std::printf("%-20s headless  frames %4zu  median %6.3f ms  p95 %6.3f ms  max %6.3f ms\n",
                    run.level.c_str(), ms.size(), Percentile(ms, 0.5), Percentile(ms, 0.95),
                    ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()));
        return 0;
    }
    std::printf("%-20s %4dx%-4d frames %4zu  median %6.2f ms  p95 %6.2f ms  max %6.2f ms  "
                "start-up %5.0f ms  shut-down %4.0f ms  peak %4ld MB\n",
                run.level.c_str(), width, height, ms.size(), Percentile(ms, 0.5),
                Percentile(ms, 0.95), ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()),
                startup, shutdown, usage.ru_maxrss / 1024);
    return 0;
}
// The figures line a child run prints (empty when it printed none).
std::string ChildLine(const std::string& cmd)
{
    std::string out;
    if (FILE* pipe = popen(cmd.c_str(), "r"))
    {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}
} // namespace

int main(int argc, char** argv)
{
    Clock::time_point processStart = Clock::now();
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    int width = 1920, height = 1080, repeat = 1;
    std::string level;
    for (int i = 1; i < argc; ++i)
    {
        if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
            std::sscanf(argv[++i], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[i], "--source") && i + 1 < argc)
            g_source = argv[++i];
        else if (!std::strcmp(argv[i], "--headless"))
            g_headless = true;
        else if (!std::strcmp(argv[i], "--steps"))
            g_steps = true;
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else
            level = argv[i];
    }
    const std::vector<LevelRun> runs = Runs(g_source);
    if (!level.empty())
    {
        for (const LevelRun& run : runs)
            if (level == run.level) return RunLevel(run, width, height, processStart);
        std::printf("LevelBench: no run for %s\n", level.c_str());
        return 2;
    }
    int failed = runs.empty() ? 1 : 0;
    for (const LevelRun& run : runs)
    {
        // Quiet children: the game's own lines would bury the figures.
        std::string cmd =
            std::string("'") + argv[0] + "' --size " + std::to_string(width) + "x" +
            std::to_string(height) + " --source '" + g_source + "' " +
            (g_headless ? "--headless " : "") + run.level +
            (g_steps ? " | grep -a ' frames \\|start-up steps'" : " | grep -a ' frames '");
        std::vector<double> medians, p95s;
        for (int r = 0; r < repeat; ++r)
        {
            std::string line = ChildLine(cmd);
            std::fputs(line.c_str(), stdout);
            std::fflush(stdout);
            double median = 0.0, p95 = 0.0;
            const char* figures = std::strstr(line.c_str(), "median");
            if (figures && std::sscanf(figures, "median %lf ms p95 %lf", &median, &p95) == 2)
            {
                medians.push_back(median);
                p95s.push_back(p95);
            }
            else
            {
                ++failed;
            }
        }
        if (repeat > 1 && !medians.empty())
            std::printf("%-20s middle of %zu runs: median %.*f ms  p95 %.*f ms\n",
                        run.level.c_str(), medians.size(), g_headless ? 3 : 2,
                        Percentile(medians, 0.5), g_headless ? 3 : 2, Percentile(p95s, 0.5));
    }
    return failed ? 1 : 0;
}
