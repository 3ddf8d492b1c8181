// LevelEditor: the developer's editor window over the running game (closed in normal play).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/objects/ObjectTypes.h"

class GameObject;

class LevelEditor
{
  public:
    static LevelEditor& Get();

    // Reads the palettes from "System/LevelEditor.json".
    void Initialize();
    void DrawUI();
    void SaveLevelAndMap();

    GameObject* selected = nullptr;
    std::array<unsigned, kLayerCount> paletteSizes{};
    std::array<bool, kLayerCount> layerFlags{};
    std::array<std::vector<std::string>, kLayerCount> palettes;
    bool editorOpen = false;
    bool holdObjectsWork = false;
    bool allObjectsWork = true;
    int layer = 0;

  private:
    LevelEditor();
};
