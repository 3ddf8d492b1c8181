// An archetype file: the object it makes, a frame of it, and the level written back.
#include "engine/data/LevelFile.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/ObjectFactory.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Archetype)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    ResourceManager::Get().AddDocument("GameData/GameObjects/FuzzArchetype.json",
                                       Fuzz::Text(data, size));
    rapidjson::Document entry;
    entry.Parse(R"({"Name": "FuzzArchetype.json"})");
    CreateFromLevelEntry(JsonView(&entry, "GameData/Levels/FuzzLevel.json"));
    Fuzz::Frames(1);
    LevelText();
    return 0;
}
