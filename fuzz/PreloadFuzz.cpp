// The preload list: every archetype it names fetched into the document cache.
#include <memory>

#include "engine/data/ResourceManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Preload)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    const char* path = "System/PreLoad.json";
    ResourceManager& resources = ResourceManager::Get();
    // The shipped list is put back after, so every input starts from the same cache.
    std::unique_ptr<rapidjson::Document> shipped = std::move(resources.Documents[path]);
    resources.AddDocument(path, Fuzz::Text(data, size));
    resources.PreLoad();
    resources.Documents[path] = std::move(shipped);
    return 0;
}
