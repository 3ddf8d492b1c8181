// The player's settings file.
#include "engine/core/Settings.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Settings)(const uint8_t* data, size_t size)
{
    ParseSettings(Fuzz::Text(data, size), "settings.json");
    return 0;
}
