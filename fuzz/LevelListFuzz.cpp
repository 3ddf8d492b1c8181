// The level list: read, then a step to the next level, which loads whatever it names.
#include "engine/data/Json.h"
#include "engine/data/LevelManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(LevelList)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    rapidjson::Document doc;
    bool parsed = ParseJson(Fuzz::Text(data, size), doc, nullptr);
    LevelManager& levels = LevelManager::Get();
    levels.ReadList(parsed ? &doc : nullptr, "System/LevelList.json");
    levels.NextLevel();
    levels.PreviousLevel();
    levels.GoToLastLevel();
    Fuzz::Frames(1);
    return 0;
}
