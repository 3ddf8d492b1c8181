// The editor's hands in the world: picking, dragging, deleting, placing and painting.
#include "editor/LevelEditor.h"

#include <cmath>

#include "editor/EditorCamera.h"
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
} // namespace

void LevelEditor::Frame()
{
    InputManager& in = InputManager::Get();
    if (in.IsKeyTriggered("F1")) editorOpen = !editorOpen;
    if (!editorOpen) return;
    EditorCameraKeys();
    const glm::vec3 m = in.GetMouseWorldPosition();
    const glm::vec2 world(m.x, m.y);
    if (Transform* t = cursor.Get<Transform>()) t->position = glm::vec3(world, 0.0f);
    if (in.leftPressed && !guiWantsMouse_) Click(world);
    if (dragging_ && in.leftHeld) MoveSelected(world + dragOffset_, in.IsKeyPressed("Left Ctrl"));
    if (!in.leftHeld) dragging_ = false;
    if (in.IsKeyTriggered("Delete") && !guiWantsKeys_) DeleteSelected();
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
    Select(Pick(world));
    GameObject* obj = Selected();
    Transform* t = obj ? obj->Get<Transform>() : nullptr;
    dragging_ = t != nullptr;
    if (t) dragOffset_ = glm::vec2(t->position.x, t->position.y) - world;
    if (obj) layer = obj->layer;
}

GameObject* LevelEditor::Pick(glm::vec2 world)
{
    Transform* ct = cursor.Get<Transform>();
    Body* cb = cursor.Get<Body>();
    if (!ct || !cb) return nullptr;
    ct->position = glm::vec3(world, 0.0f);
    GameObjectManager& objects = GameObjectManager::Get();
    // Screen layers (8 and up) are not in the world; the top of the world is layer 7.
    for (int l = kLayerSpare; l >= 0; --l)
    {
        if (!layerFlags[static_cast<size_t>(l)]) continue;
        GameObject* top = nullptr;
        objects.ForEachActive(l,
                              [&](GameObject& obj) { top = Under(obj, *cb, world) ? &obj : top; });
        if (top) return top;
    }
    return nullptr;
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
    if (obj->layer == kLayerMap)
        if (Transform* t = obj->Get<Transform>())
            MapManager::Get().ClearCell(CellOf(t->position.x), CellOf(t->position.y));
    GameObjectManager::Get().QueueDestroy(obj);
    selected.Clear();
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
    return obj;
}

GameObject* LevelEditor::Paint(const std::string& tile, glm::vec2 world)
{
    const int column = CellOf(world.x), row = CellOf(world.y);
    LoadedArchetype archetype;
    if (column < 0 || row < 0 || !FindArchetype(tile, archetype)) return nullptr;
    Erase(world);
    GameObject* obj = GameObjectManager::Get().CreateObject(archetype.type);
    if (!obj) return nullptr;
    obj->Deserialize(archetype.view);
    if (Transform* t = obj->Get<Transform>())
    {
        t->position = glm::vec3(static_cast<float>(column), static_cast<float>(row), 0.0f);
        t->scale.x = t->scale.y = 1.0f;
    }
    MapManager::Get().IndexFor(obj->name);
    MapManager::Get().AddTile(*obj);
    Select(obj);
    return obj;
}

bool LevelEditor::Erase(glm::vec2 world)
{
    const int column = CellOf(world.x), row = CellOf(world.y);
    MapManager& map = MapManager::Get();
    const bool held = map.IndexAt(column, row) != 0;
    map.ClearCell(column, row);
    if (GameObject* tile = TileAt(column, row))
    {
        // Taken out of the walk now: a second paint this frame must not find it again.
        tile->collidable = false;
        GameObjectManager::Get().QueueDestroy(tile);
        if (tile == Selected()) selected.Clear();
        if (Transform* t = tile->Get<Transform>()) t->position.x = -1.0e6f;
        return true;
    }
    return held;
}
