// A save file: checked, loaded in place of the running level, a frame run, saved again.
#include "engine/data/LevelFile.h"
#include "engine/data/LevelManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Save)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    if (LevelManager::Get().LoadSaveText(Fuzz::Text(data, size), "save.json"))
    {
        Fuzz::Frames(1);
        LevelText();
    }
    return 0;
}
