// A level file: map, camera and objects built as a level change does, a frame run, written back.
#include "engine/data/LevelFile.h"
#include "engine/data/ResourceManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Level)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    const char* path = "GameData/Levels/FuzzLevel.json";
    if (const rapidjson::Document* doc =
            ResourceManager::Get().AddDocument(path, Fuzz::Text(data, size)))
    {
        LoadLevelDocument(JsonView(doc, path));
        Fuzz::Frames(1);
        LevelText();
    }
    return 0;
}
