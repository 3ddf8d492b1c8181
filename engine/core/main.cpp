// The entry point: parse the developer switches, register the game and the editor, then
// start-up, the loop and shutdown. The one file of engine/ that names the rooms above it: it is
// built into the program, not into the engine library.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor/EditorRegistration.h"
#include "engine/core/CommandLine.h"
#include "engine/core/Engine.h"
#include "game/GameRegistration.h"

int main(int argc, char** argv)
{
    SDL_SetMainReady();
    AttachParentConsole();
    // Whole lines reach a log file as they are written: a crash or a kill loses none, and a
    // script driving a windowed run can wait for a line.
#if defined(_WIN32)
    // The Windows runtime has no line buffering (and refuses _IOLBF without a size).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
#else
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
#endif
    RunOptions options;
    std::string error;
    std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<char*> utf8;
    for (std::string& arg : args) utf8.push_back(&arg[0]);
    if (!ParseRunOptions(static_cast<int>(utf8.size()), utf8.data(), options, error))
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
    RegisterEditor();
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
