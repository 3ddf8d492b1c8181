// A dialog file: its pages, then paging through them a frame at a time.
#include "engine/objects/GameObjectManager.h"
#include "fuzz/FuzzSupport.h"
#include "game/story/DialogBox.h"

FUZZ_TARGET(Dialog)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    if (GameObject* obj = GameObjectManager::Get().SpawnObject())
    {
        auto* box = new DialogBox(obj);
        obj->AddComponent(box);
        box->textFile = "GameData/Dialog/Fuzz.txt";
        box->AddPages(Fuzz::Text(data, size));
        for (int i = 0; i < 3; ++i) box->Update();
    }
    return 0;
}
