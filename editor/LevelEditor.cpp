#include "editor/LevelEditor.h"

#include <cstdio>

#include "engine/data/LevelFile.h"
#include "engine/data/ResourceManager.h"

LevelEditor& LevelEditor::Get()
{
    static LevelEditor instance;
    return instance;
}

LevelEditor::LevelEditor()
{
    layerFlags.fill(true);
}

void LevelEditor::Initialize()
{
    const char* path = "System/LevelEditor.json";
    const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path);
    if (!doc) return;
    JsonView root(doc, path);
    if (!root.IsObject()) root.Warn("expected an object of palettes; none read");
    const std::pair<const char*, int> keys[] = {{"Map", kLayerMap},
                                                {"BackDecorate", kLayerBackDecorate},
                                                {"Default", kLayerGameplay},
                                                {"FrontDecorate", kLayerDecorate}};
    for (const auto& k : keys)
    {
        JsonView list = root[k.first];
        if (!list.Valid()) continue;
        if (!list.IsArray())
        {
            list.Warn("expected an array of names");
            continue;
        }
        auto& palette = palettes[k.second];
        palette.assign(1, std::string());
        for (size_t i = 0; i < list.Size(); ++i)
        {
            palette.push_back(list.At(i).AsString(""));
            std::printf("%s\n", palette.back().c_str());
        }
        paletteSizes[k.second] = static_cast<unsigned>(list.Size());
        std::printf("%zu\n", list.Size());
    }
}

// The editor window itself arrives with the editor feature; closed, it draws nothing.
void LevelEditor::DrawUI() {}

void LevelEditor::SaveLevelAndMap()
{
    SaveLevel();
    std::printf("Save Level and Map\n");
}
