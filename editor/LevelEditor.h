// LevelEditor: the developer's editor over the running game (closed in normal play). F1 or
// --editor opens it. Open, a click picks the topmost object under the mouse and dragging moves
// it (snapped to the tile grid while Left Ctrl is held); Delete removes it; a palette entry, once
// chosen, is placed at the next click (map tiles are painted and erased cell by cell). The window
// shows frame statistics, stops the simulation, resets objects and saves the level and its map.
// Everything but the drawing works without a GUI, so headless runs and tests use it too.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec2.hpp>

#include "engine/objects/GameObject.h"
#include "engine/objects/ObjectRef.h"
#include "engine/objects/ObjectTypes.h"

class LevelEditor
{
  public:
    static LevelEditor& Get();

    // Reads the palettes from "System/LevelEditor.json"; a missing file leaves them empty.
    void Initialize();
    // Keys and mouse of this frame (the open key works while closed).
    void Frame();
    void DrawUI();
    // Map first, then level, each written once; false (with a line) when a name is refused or
    // a write fails.
    bool SaveLevelAndMap();
    // "Set Back to Initial": event 13 to everyone.
    void SetBackToInitial();

    GameObject* Selected() const { return selected.Get(); }
    void Select(GameObject* obj) { selected.Set(obj); }
    // The topmost world object under a point (layer 7 down to 0, the later slot first).
    GameObject* Pick(glm::vec2 world);
    // Moves the selected object to a point (its body stops); snapped, it is centred on a column
    // and stands on a row's top edge.
    void MoveSelected(glm::vec2 world, bool snapped);
    void DeleteSelected();
    // Places palette entry `index` of a layer at a point; map entries paint a tile. The new
    // object (or tile) is selected. nullptr when the entry or its archetype is missing.
    GameObject* Place(int layer, size_t index, glm::vec2 world);
    // Paints a tile archetype into the cell under a point, replacing what was there.
    GameObject* Paint(const std::string& tile, glm::vec2 world);
    // Empties the cell under a point; false when it held nothing.
    bool Erase(glm::vec2 world);

    ObjectRef selected;
    GameObject cursor; // the mouse's body for picking
    std::array<unsigned, kLayerCount> paletteSizes{};
    std::array<bool, kLayerCount> layerFlags{};
    std::array<std::vector<std::string>, kLayerCount> palettes;
    bool editorOpen = false;
    bool holdObjectsWork = false;
    bool allObjectsWork = true;
    int layer = 0;

    // The palette entry the next click places (0: none, the click picks), and whether map clicks
    // erase instead.
    int armedLayer = 0;
    size_t armedIndex = 0;
    bool erasing = false;

  private:
    LevelEditor();
    void ReadPalettes();
    void Click(glm::vec2 world);
    void StartGui();
    void DrawWindow();
    void DrawPalettes();

    bool dragging_ = false;
    glm::vec2 dragOffset_{0.0f};
    bool guiStarted_ = false;
    bool guiWantsMouse_ = false;
    bool guiWantsKeys_ = false;
};
