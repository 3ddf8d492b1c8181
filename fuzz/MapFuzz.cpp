// A map file: read through a level that names it, its tiles placed, and written back.
#include "engine/data/LevelFile.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Map)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    ResourceManager::Get().AddDocument("GameData/Maps/FuzzMap.json", Fuzz::Text(data, size));
    static rapidjson::Document level;
    if (!level.IsObject())
        level.Parse(R"({"Name": "FuzzLevel.json", "Map": "FuzzMap.json", "GameObjects": []})");
    LoadLevelDocument(JsonView(&level, "GameData/Levels/FuzzLevel.json"));
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    MapManager::Get().SerializeMap(writer);
    return 0;
}
