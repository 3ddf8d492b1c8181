// A menu file: its button lists built, shown, run for a frame and hidden again.
#include "engine/core/GameHooks.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Menu)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    ResourceManager::Get().AddDocument("GameData/GameObjects/FuzzMenu.json",
                                       Fuzz::Text(data, size));
    rapidjson::Document entry;
    entry.Parse(R"({"Name": "FuzzMenu.json"})");
    if (GameObject* menu = CreateFromLevelEntry(JsonView(&entry, "GameData/Levels/FuzzLevel.json")))
    {
        GameObjectManager::Get().ShowMenu("FuzzMenu.json");
        Hooks().ShowButtonLists(*menu, true);
        Fuzz::Frames(1);
        Hooks().ShowButtonLists(*menu, false);
    }
    return 0;
}
