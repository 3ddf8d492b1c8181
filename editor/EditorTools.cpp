// The editor's hands in the world: picking, dragging, deleting, placing and painting, each
// step kept for undo.
#include "editor/LevelEditor.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <glm/geometric.hpp>

#include "editor/EditorCamera.h"
#include "editor/EditorGui.h"
#include "engine/core/CameraManager.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"

namespace
{
// Clicks this close together (world units, a few pixels) are on the same spot.
constexpr float kSameSpot = 0.1f;
constexpr size_t kStackDepth = 32;

// Whether a point lies on an object: through its body's shape when it has one, else inside the
// transform's box (decorations have no body).
bool Under(GameObject& obj, const Body& cursorBody, glm::vec2 p)
{
    if (Body* body = obj.Get<Body>())
        if (!body->vertices.empty() || body->radius != 0.0f)
            return PhysicsManager::Overlap(cursorBody, *body);
    Transform* t = obj.Get<Transform>();
    if (!t) return false;
    return std::fabs(p.x - t->position.x) <= std::fabs(t->scale.x) / 2 &&
           std::fabs(p.y - t->position.y) <= std::fabs(t->scale.y) / 2;
}

int CellOf(float v)
{
    return static_cast<int>(std::lround(v));
}

// The tile object standing in a cell, if any.
GameObject* TileAt(int column, int row)
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerMap,
                                           [&](GameObject& obj)
                                           {
                                               Transform* t = obj.Get<Transform>();
                                               if (t && CellOf(t->position.x) == column &&
                                                   CellOf(t->position.y) == row)
                                                   found = &obj;
                                           });
    return found;
}

std::string TileNameAt(int column, int row)
{
    MapManager& map = MapManager::Get();
    const int index = map.IndexAt(column, row);
    if (index > 0 && static_cast<size_t>(index) < map.ObjectNames.size())
        return map.ObjectNames[static_cast<size_t>(index)];
    GameObject* tile = TileAt(column, row);
    return tile ? tile->name : std::string();
}

bool Ctrl(const InputManager& in)
{
    return in.IsKeyPressed("Left Ctrl") || in.IsKeyPressed("Right Ctrl");
}
} // namespace

void LevelEditor::Frame()
{
    OpenKey();
    if (!editorOpen) return;
    EditorGui::Start();
    EditorGui::BeginFrame();
    InputManager& in = InputManager::Get();
    // While the question is up, or the mouse is on a window, the world hears nothing.
    const bool mouseFree = !EditorGui::WantsMouse() && !askingToLeave;
    if (!EditorGui::WantsKeys() && !askingToLeave)
    {
        EditorCameraKeys();
        EditKeys();
    }
    const glm::vec3 m = in.GetMouseWorldPosition();
    const glm::vec2 world(m.x, m.y);
    if (Transform* t = cursor.Get<Transform>()) t->position = glm::vec3(world, 0.0f);
    if (in.leftPressed && mouseFree) Click(world);
    if (dragging_ && in.leftHeld) MoveSelected(world + dragOffset_, in.IsKeyPressed("Left Ctrl"));
    if (dragging_ && !in.leftHeld) EndDrag();
}

void LevelEditor::OpenKey()
{
    if (!InputManager::Get().IsKeyTriggered("F1")) return;
    if (!editorOpen)
    {
        EditorGui::ForgetClicks();
        if (playing_)
            ReturnFromPlay();
        else
            editorOpen = true;
    }
    else if (unsaved_ && !askingToLeave)
        askingToLeave = true; // F1 again, with the question up, leaves
    else
    {
        askingToLeave = false;
        editorOpen = false;
        dragging_ = false;
    }
}

void LevelEditor::EditKeys()
{
    InputManager& in = InputManager::Get();
    if (Ctrl(in) && in.IsKeyTriggered("Z"))
    {
        if (in.IsKeyPressed("Left Shift") || in.IsKeyPressed("Right Shift"))
            Redo();
        else
            Undo();
    }
    if (Ctrl(in) && in.IsKeyTriggered("Y")) Redo();
    if (Ctrl(in) && in.IsKeyTriggered("S")) SaveLevelAndMap();
    if (in.IsKeyTriggered("Delete")) DeleteSelected();
    if (in.IsKeyTriggered("F5"))
    {
        const glm::vec3 m = in.GetMouseWorldPosition();
        PlayFrom(glm::vec2(m.x, m.y));
    }
}

void LevelEditor::Click(glm::vec2 world)
{
    if (erasing)
    {
        Erase(world);
        return;
    }
    if (armedLayer != 0)
    {
        Place(armedLayer, armedIndex, world);
        // Tiles keep painting; anything else is placed once, then the click picks again.
        if (armedLayer != kLayerMap) armedLayer = 0;
        return;
    }
    GameObject* stack[kStackDepth];
    const size_t n = PickAll(world, stack, kStackDepth);
    GameObject* pick = n > 0 ? stack[0] : nullptr;
    // The same spot again: the next one down under the one picked last (round to the top).
    if (havePick_ && glm::distance(world, lastPick_) < kSameSpot)
        for (size_t i = 0; i < n; ++i)
            if (stack[i] == Selected()) pick = stack[(i + 1) % n];
    lastPick_ = world;
    havePick_ = true;
    Select(pick);
    if (pick)
        LogLine("editor: picked %s (layer %d)", pick->name.c_str(), pick->layer);
    else
        LogLine("editor: nothing to pick at (%.2f, %.2f)", static_cast<double>(world.x),
                static_cast<double>(world.y));
    Transform* t = pick ? pick->Get<Transform>() : nullptr;
    dragging_ = t != nullptr;
    if (t)
    {
        dragFrom_ = glm::vec2(t->position.x, t->position.y);
        dragOffset_ = dragFrom_ - world;
    }
    if (pick) layer = pick->layer;
}

void LevelEditor::EndDrag()
{
    dragging_ = false;
    GameObject* obj = Selected();
    Transform* t = obj ? obj->Get<Transform>() : nullptr;
    if (!t) return;
    const glm::vec2 to(t->position.x, t->position.y);
    if (to == dragFrom_) return;
    EditStep step;
    step.kind = EditStep::kMove;
    step.object.Set(obj);
    step.from = dragFrom_;
    step.to = to;
    history.Record(std::move(step));
    Edited();
    LogLine("editor: moved %s to (%.2f, %.2f)", obj->name.c_str(), static_cast<double>(to.x),
            static_cast<double>(to.y));
}

GameObject* LevelEditor::Pick(glm::vec2 world)
{
    GameObject* top = nullptr;
    return PickAll(world, &top, 1) ? top : nullptr;
}

size_t LevelEditor::PickAll(glm::vec2 world, GameObject** out, size_t max)
{
    Transform* ct = cursor.Get<Transform>();
    Body* cb = cursor.Get<Body>();
    if (!ct || !cb || max == 0) return 0;
    ct->position = glm::vec3(world, 0.0f);
    GameObjectManager& objects = GameObjectManager::Get();
    size_t n = 0;
    // The world's top is layer 7; the screen layers (8 and up: HUD, menus, curtain) cover the
    // whole screen and the background (0) the whole level, so neither is ever picked.
    for (int l = kLayerSpare; l > kLayerBackground && n < max; --l)
    {
        if (!layerFlags[static_cast<size_t>(l)]) continue;
        GameObject* under[kStackDepth];
        size_t found = 0;
        objects.ForEachActive(l,
                              [&](GameObject& obj)
                              {
                                  if (!Under(obj, *cb, world)) return;
                                  // Later slots are drawn later: keep the last ones.
                                  if (found == kStackDepth)
                                  {
                                      std::copy(under + 1, under + kStackDepth, under);
                                      --found;
                                  }
                                  under[found++] = &obj;
                              });
        while (found > 0 && n < max) out[n++] = under[--found];
    }
    return n;
}

void LevelEditor::MoveSelected(glm::vec2 world, bool snapped)
{
    GameObject* obj = Selected();
    Transform* t = obj ? obj->Get<Transform>() : nullptr;
    if (!t) return;
    // On the grid: centred on a column, standing on a tile's top edge (tile k spans k +- 0.5).
    if (snapped)
    {
        const float half = std::fabs(t->scale.y) / 2;
        world = glm::vec2(std::round(world.x), std::round(world.y - half - 0.5f) + 0.5f + half);
    }
    t->position.x = world.x;
    t->position.y = world.y;
    if (Body* b = obj->Get<Body>()) b->velocity = glm::vec2(0.0f);
}

void LevelEditor::DeleteSelected()
{
    GameObject* obj = Selected();
    if (!obj || obj == GameObjectManager::Get().Player()) return; // a level keeps its player
    Transform* t = obj->Get<Transform>();
    if (obj->layer == kLayerMap && t)
    {
        Erase(glm::vec2(t->position.x, t->position.y));
        selected.Clear();
        return;
    }
    EditStep step;
    step.kind = EditStep::kRemove;
    step.object.Set(obj);
    step.before = EntryText(*obj);
    // Objects a level file does not hold (cones, markers) go without a step: nothing remakes them.
    if (!step.before.empty()) history.Record(std::move(step));
    obj->collidable = false;
    GameObjectManager::Get().QueueDestroy(obj);
    selected.Clear();
    Edited();
}

GameObject* LevelEditor::Place(int paletteLayer, size_t index, glm::vec2 world)
{
    if (paletteLayer < 0 || paletteLayer >= kLayerCount) return nullptr;
    const auto& palette = palettes[static_cast<size_t>(paletteLayer)];
    if (index == 0 || index >= palette.size()) return nullptr;
    const std::string& file = palette[index];
    if (paletteLayer == kLayerMap) return Paint(file, world);
    LoadedArchetype archetype;
    if (!FindArchetype(file, archetype))
    {
        LogLine("editor: %s: no such archetype; nothing placed", file.c_str());
        return nullptr;
    }
    GameObject* obj = GameObjectManager::Get().CreateObject(archetype.type);
    if (!obj)
    {
        LogLine("editor: %s: its layer is full; nothing placed", file.c_str());
        return nullptr;
    }
    obj->Deserialize(archetype.view);
    Select(obj);
    MoveSelected(world, false);
    layer = obj->layer;
    EditStep step;
    step.kind = EditStep::kCreate;
    step.object.Set(obj);
    step.after = EntryText(*obj);
    history.Record(std::move(step));
    Edited();
    return obj;
}

GameObject* LevelEditor::Paint(const std::string& tile, glm::vec2 world)
{
    const int column = CellOf(world.x), row = CellOf(world.y);
    LoadedArchetype archetype;
    if (column < 0 || row < 0 || !FindArchetype(tile, archetype)) return nullptr;
    EditStep step;
    step.kind = EditStep::kTile;
    step.column = column;
    step.row = row;
    step.before = TileNameAt(column, row);
    step.after = tile;
    GameObject* obj = SetTile(column, row, tile);
    if (!obj) return nullptr;
    history.Record(std::move(step));
    Edited();
    Select(obj);
    return obj;
}

bool LevelEditor::Erase(glm::vec2 world)
{
    const int column = CellOf(world.x), row = CellOf(world.y);
    const bool held = MapManager::Get().IndexAt(column, row) != 0 || TileAt(column, row);
    if (!held) return false;
    EditStep step;
    step.kind = EditStep::kTile;
    step.column = column;
    step.row = row;
    step.before = TileNameAt(column, row);
    SetTile(column, row, std::string());
    history.Record(std::move(step));
    Edited();
    return true;
}

GameObject* LevelEditor::SetTile(int column, int row, const std::string& tile)
{
    MapManager& map = MapManager::Get();
    map.ClearCell(column, row);
    if (GameObject* old = TileAt(column, row))
    {
        // Taken out of the walk now: a second paint this frame must not find it again.
        old->collidable = false;
        GameObjectManager::Get().QueueDestroy(old);
        if (old == Selected()) selected.Clear();
        if (Transform* t = old->Get<Transform>()) t->position.x = -1.0e6f;
    }
    LoadedArchetype archetype;
    if (tile.empty() || column < 0 || row < 0 || !FindArchetype(tile, archetype)) return nullptr;
    GameObject* obj = GameObjectManager::Get().CreateObject(archetype.type);
    if (!obj) return nullptr;
    obj->Deserialize(archetype.view);
    if (Transform* t = obj->Get<Transform>())
    {
        t->position = glm::vec3(static_cast<float>(column), static_cast<float>(row), 0.0f);
        t->scale.x = t->scale.y = 1.0f;
    }
    map.IndexFor(obj->name);
    map.AddTile(*obj);
    return obj;
}

bool LevelEditor::Undo()
{
    dragging_ = false;
    const bool done = history.Undo();
    if (done) Edited();
    return done;
}

bool LevelEditor::Redo()
{
    dragging_ = false;
    const bool done = history.Redo();
    if (done) Edited();
    return done;
}

void LevelEditor::LevelLoaded()
{
    history.Clear();
    selected.Clear();
    dragging_ = havePick_ = false;
    unsaved_ = unsavedAfterLoad_;
    unsavedAfterLoad_ = false;
    if (startPending_)
    {
        startPending_ = false;
        unsaved_ = play_.unsaved;
        GameObject* player = GameObjectManager::Get().Player();
        if (Transform* t = player ? player->Get<Transform>() : nullptr)
        {
            t->position.x = playStart_.x;
            t->position.y = playStart_.y;
        }
    }
    if (!returning_) return;
    // Back from a play: the view where it was, the edits still unsaved if they were.
    returning_ = false;
    unsaved_ = play_.unsaved;
    if (Camera* cam = CameraManager::Get().GetCurrentCamera())
        cam->position = cam->target = cam->editorTarget = play_.camera;
}
