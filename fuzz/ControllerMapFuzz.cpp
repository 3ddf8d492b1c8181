// The controller mapping file (gamecontrollerdb.txt), through SDL's own reader.
#include <SDL.h>

#include "engine/core/InputManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(ControllerMap)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    InputManager::AddControllerMappings(Fuzz::Text(data, size));
    // SDL keeps every mapping it is given; start it afresh now and then so memory stays flat.
    static int count = 0;
    if (++count % 1000 == 0)
    {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    return 0;
}
