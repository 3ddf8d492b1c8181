// The editor's palettes ("System/LevelEditor.json").
#include <memory>

#include "editor/LevelEditor.h"
#include "engine/data/ResourceManager.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Palette)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    const char* path = "System/LevelEditor.json";
    ResourceManager& resources = ResourceManager::Get();
    std::unique_ptr<rapidjson::Document> shipped = std::move(resources.Documents[path]);
    resources.AddDocument(path, Fuzz::Text(data, size));
    LevelEditor& editor = LevelEditor::Get();
    auto palettes = editor.palettes;
    auto sizes = editor.paletteSizes;
    editor.Initialize();
    editor.palettes = palettes;
    editor.paletteSizes = sizes;
    resources.Documents[path] = std::move(shipped);
    return 0;
}
