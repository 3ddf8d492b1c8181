// The entry point: parse the developer switches, then start-up, the loop and shutdown.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>

#include "engine/core/Engine.h"
#include "engine/core/GameHooks.h"

int main(int argc, char** argv)
{
    SDL_SetMainReady();
    // Whole lines reach a log file as they are written: a crash or a kill loses none, and a
    // script driving a windowed run can wait for a line.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    RunOptions options;
    std::string error;
    if (!ParseRunOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "bellrun: %s\n(bellrun --help lists the switches)\n", error.c_str());
        return 2;
    }
    if (options.help)
    {
        std::fputs(RunOptionsUsage(), stdout);
        return 0;
    }
    if (options.version)
    {
        std::printf("bellrun %s\n", BellrunVersion());
        return 0;
    }
    options.writeLog = true;
    RegisterGame();
    Engine& engine = Engine::Get();
    int status = engine.Init(options);
    if (status != 0)
    {
        std::fflush(stdout);
        engine.Shutdown();
        return status;
    }
    engine.Run();
    engine.Shutdown();
    std::fflush(stdout);
    return 0;
}
