#include "engine/physics/PhysicsManager.h"

#include <cmath>

#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

namespace
{
// The cell holding a cell-space coordinate; a coordinate that is no number or far outside any
// map gives -1, which reads solid.
int CellOf(double v)
{
    if (!(v >= -1.0e9 && v <= 1.0e9)) return -1;
    int c = static_cast<int>(v); // truncates towards zero: one down for negative fractions
    return c > v ? c - 1 : c;
}

// A side is touched when any of its five probes is in a solid cell.
bool AnySolid(const MapManager& map, const int* columns, const int* rows)
{
    for (int k = 0; k < 5; ++k)
        if (map.Solid(columns[k], rows[k])) return true;
    return false;
}

bool MovesOnMap(int type)
{
    return GameObjectManager::Get().types.Has(type, kTypeTouchesMap);
}

// Tests one object against the map and snaps it; w and h are the probe box.
void MapContact(GameObject& obj, const Transform& t, float w, float h)
{
    uint32_t mask = PhysicsManager::TileTest(t.position.x, t.position.y, w, h);
    obj.previousCollisionFlags = obj.collisionFlags;
    obj.collisionFlags = mask;
    if (mask != 0) PhysicsManager::TileResponse(obj);
}
} // namespace

PhysicsManager& PhysicsManager::Get()
{
    static PhysicsManager instance;
    return instance;
}

Body* BodyOf(const GameObject& object)
{
    for (const auto& c : object.components)
        if (c->typeNumber == kCompBody)
            if (auto* b = dynamic_cast<Body*>(c.get())) return b;
    return nullptr;
}

uint32_t PhysicsManager::TileTest(float x, float y, float w, float h)
{
    const MapManager& map = MapManager::Get();
    // Cell space is world space shifted by half a tile: tiles are centred on whole numbers.
    const float X = static_cast<float>(static_cast<double>(x) + 0.5);
    const float Y = static_cast<float>(static_cast<double>(y) + 0.5);
    const int sideRows[5] = {CellOf(Y + h / 4), CellOf(Y - h / 4), CellOf(Y), CellOf(Y + 3 * h / 8),
                             CellOf(Y - 3 * h / 8)};
    // Floor and ceiling probes stay 0.1 inside the side edges so a wall never reads as floor.
    const int rowColumns[5] = {CellOf(X - w / 4), CellOf(X + w / 4), CellOf(X),
                               CellOf((X - w / 2) + 0.1), CellOf((X + w / 2) - 0.1)};
    const int left = CellOf(X - w / 2), right = CellOf(X + w / 2);
    const int top = CellOf(Y + h / 2), bottom = CellOf(Y - h / 2);
    const int lefts[5] = {left, left, left, left, left};
    const int rights[5] = {right, right, right, right, right};
    const int tops[5] = {top, top, top, top, top};
    const int bottoms[5] = {bottom, bottom, bottom, bottom, bottom};
    uint32_t mask = 0;
    if (AnySolid(map, lefts, sideRows)) mask |= kContactLeft;
    if (AnySolid(map, rowColumns, tops)) mask |= kContactTop;
    if (AnySolid(map, rights, sideRows)) mask |= kContactRight;
    if (AnySolid(map, rowColumns, bottoms)) mask |= kContactBottom;
    return mask;
}

void PhysicsManager::TileResponse(GameObject& object)
{
    Body* body = BodyOf(object);
    Transform* t = body ? body->OwnerTransform() : nullptr;
    if (!t || body->vertices.empty()) return;
    const uint32_t flags = object.collisionFlags;
    const float hx = t->scale.x * body->vertices[0].x;
    const float hy = t->scale.y * 0.5f;
    glm::vec2& v = body->velocity;
    // Each snap puts the touching edge on the tile border (whole number + 0.5).
    if (flags & kContactLeft)
    {
        t->position.x = std::floor(t->position.x - hx) + 0.5f + hx;
        if (v.x < 0.0f) v.x = 0.0f;
    }
    else if (flags & kContactRight)
    {
        t->position.x = std::floor(t->position.x + hx) + 0.5f - hx;
        if (v.x > 0.0f) v.x = 0.0f;
    }
    const float vy0 = v.y;
    if (flags & kContactTop)
    {
        t->position.y = std::floor(t->position.y + hy) + 0.5f - hy;
        if (v.y > 0.0f) v.y = 0.0f;
    }
    else if (flags & kContactBottom)
    {
        t->position.y = std::floor(t->position.y - hy) + 0.5f + hy;
        if (v.y < 0.0f) v.y = 0.0f;
    }
    if (!GameObjectManager::Get().types.Has(object.type, kTypeBounces)) return;
    const float b = body->bounce;
    if (flags & kContactLeft)
    {
        v.x = std::fabs(b * v.x);
        body->spin = -std::fabs(body->spin);
    }
    else if (flags & kContactRight)
    {
        v.x = -std::fabs(b * v.x);
        body->spin = std::fabs(body->spin);
    }
    if (flags & kContactTop)
        v.y = -std::fabs(b * vy0);
    else if (flags & kContactBottom)
        v.y = std::fabs(b * vy0);
}

void PhysicsManager::CollidePlayerWithMap(GameObject& player)
{
    Body* body = BodyOf(player);
    Transform* t = body ? body->OwnerTransform() : nullptr;
    if (t && !body->vertices.empty())
        MapContact(player, *t, 2.0f * t->scale.x * body->vertices[0].x, t->scale.y);
}

void PhysicsManager::CollideMap()
{
    GameObjectManager& objects = GameObjectManager::Get();
    if (GameObject* player = objects.Player()) CollidePlayerWithMap(*player);
    objects.ForEachActive(kLayerGameplay,
                          [](GameObject& obj)
                          {
                              if (!MovesOnMap(obj.type)) return;
                              Body* body = BodyOf(obj);
                              Transform* t = body ? body->OwnerTransform() : nullptr;
                              if (t && !body->vertices.empty())
                                  MapContact(obj, *t, t->scale.x, t->scale.y);
                          });
}
