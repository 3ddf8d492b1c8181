// A scripted input file: parsed, and its events delivered and taken in by the input manager.
#include <cstdio>

#include "engine/core/InputManager.h"
#include "engine/core/ScriptedInput.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Script)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    ScriptedInput script;
    std::string error;
    if (!script.LoadText(Fuzz::Text(data, size), "script.json", error))
    {
        std::printf("input: %s\n", error.c_str());
        return 0;
    }
    long last = -1;
    int frames = 0;
    for (const ScriptedEvent& e : script.Events())
    {
        if (e.frame == last) continue;
        if (++frames > 64) break;
        last = e.frame;
        script.Deliver(e.frame);
        InputManager::Get().Update();
    }
    return 0;
}
