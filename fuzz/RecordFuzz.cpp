// A record file (cutscene input), fetched as playback fetches it.
#include "engine/data/ResourceManager.h"
#include "fuzz/FuzzSupport.h"
#include "game/story/RecordFile.h"

FUZZ_TARGET(Record)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    const char* path = "GameData/Record/Fuzz.json";
    std::vector<RecordEntry> entries;
    if (const rapidjson::Document* doc =
            ResourceManager::Get().AddDocument(path, Fuzz::Text(data, size)))
        ReadRecord(JsonView(doc, path), path, entries);
    return 0;
}
