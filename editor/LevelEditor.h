// LevelEditor: the developer's editor over the running game (closed in normal play). F1 or
// --editor opens it. Open, a click picks the topmost object under the mouse (a second click on
// the same spot the next one down) and dragging moves it (snapped to the tile grid while Left
// Ctrl is held); Delete removes it; a palette entry, once chosen, is placed at the next click
// (map tiles are painted and erased cell by cell). Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes.
// The windows own the mouse while it is over them. The window shows frame statistics, stops the
// simulation, resets objects and saves the level and its map. Headless the GUI runs without a
// renderer, so scripted sessions and tests drive the same windows.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "editor/EditorHistory.h"
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
    // The topmost world object under a point (layer 7 down to 1, the later slot first); the
    // background and the screen layers are never picked.
    GameObject* Pick(glm::vec2 world);
    // Every pickable object under a point, topmost first (at most `max`).
    size_t PickAll(glm::vec2 world, GameObject** out, size_t max);
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
    // A cell's tile set to an archetype ("" empties it), without a history step.
    GameObject* SetTile(int column, int row, const std::string& tile);
    bool Undo();
    bool Redo();
    // A level change or reload: the history belonged to the level that left.
    void LevelLoaded();
    // Whether anything was edited since the level was loaded or saved.
    bool Unsaved() const { return unsaved_; }

    // A new level: a map of width x height with a floor row, a player, an exit, the curtain, the
    // pause and confirmation menus and the HUD; written into the data root and put into the
    // level list at `listPlace`, then loaded. False (with a line) when the name is not a plain
    // ".json" name, is taken, or the size is out of range.
    bool NewLevel(const std::string& name, int width, int height, size_t listPlace);
    // The level and its map read again from their files (unsaved edits are lost).
    bool ReloadLevel();
    // Columns and rows added (or, negative, cut) on each side; everything keeps its place on
    // the tiles.
    bool ResizeMap(int left, int right, int bottom, int top);
    // Plays the level as edited with the player at a point; F1 comes back to the editor as it
    // was (F5 plays from the mouse).
    bool PlayFrom(glm::vec2 world);
    void ReturnFromPlay();
    bool Playing() const { return playing_; }

    EditorHistory history;

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

    // F1 while edits are unsaved opens this question ("Save", "Leave", "Stay").
    bool askingToLeave = false;

  private:
    LevelEditor();
    void ReadPalettes();
    void OpenKey();
    void EditKeys();
    void Click(glm::vec2 world);
    void EndDrag();
    void Edited() { unsaved_ = true; }
    void DrawWindow();
    void DrawPalettes();
    void DrawPanels(GameObject& obj);
    void DrawOutline(GameObject& obj);
    void DrawLeaveQuestion();
    void DrawLevelWindow();
    void Rebuild(const std::string& levelText, const std::string& mapText);

    bool dragging_ = false;
    glm::vec2 dragOffset_{0.0f};
    glm::vec2 dragFrom_{0.0f};
    // Where the last pick was, to step down through a stack of objects.
    glm::vec2 lastPick_{0.0f};
    bool havePick_ = false;
    bool unsaved_ = false;
    bool panelActive_ = false;
    // A play from the editor: what to come back to.
    struct PlaySnapshot
    {
        std::string level, map, name, mapName;
        glm::vec3 camera{0.0f};
        bool unsaved = false;
    } play_;
    bool playing_ = false, returning_ = false, unsavedAfterLoad_ = false;
    // The player is put here once the played level has loaded.
    glm::vec2 playStart_{0.0f};
    bool startPending_ = false;
    // The "New level" fields.
    std::string newName_ = "NewLevel.json";
    int newWidth_ = 60, newHeight_ = 20, newPlace_ = 1;
    int grow_[4] = {0, 0, 0, 0};
};
