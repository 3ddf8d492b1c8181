#include "game/enemies/GuardFov.h"

#include <cmath>

#include "engine/data/MapManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/enemies/GuardLogic.h"
#include "game/player/Player.h"

namespace
{
bool Inside(const MapManager& map, int c, int r)
{
    return c >= 0 && r >= 0 && c < map.CapacityColumns && r < map.CapacityRows;
}

// A cell inside the grids that holds no solid tile.
bool Open(const MapManager& map, int c, int r)
{
    return Inside(map, c, r) && !map.Solid(c, r);
}
} // namespace

bool ConeLineClear(float left, float right, float top, float bottom, int direction, float playerX)
{
    const MapManager& map = MapManager::Get();
    const int target = static_cast<int>(std::floor(playerX + 0.5f));
    const int step = direction < 0 ? -1 : 1;
    int c = step > 0 ? static_cast<int>(left + 1.0f) : static_cast<int>(right);
    const int rt = static_cast<int>(top);
    const int rb = static_cast<int>(bottom);
    // A walk that leaves the grids finds no open cell and stops as blocked; the bound only
    // guards against a non-finite box.
    for (int steps = 0; steps <= map.CapacityColumns + 2; ++steps)
    {
        if (c == target) return true;
        c += step;
        if (Open(map, c, rt)) continue;
        int r = rt - 1;
        while (r >= rb && !Open(map, c, r)) --r;
        if (r < rb || static_cast<float>(r) == bottom) return false;
    }
    return false;
}

void GuardFOV::OnCollision(GameObject* other)
{
    if (!FovActive || !other || other->type != kTypePlayer || !owner) return;
    Player* player = other->Get<Player>();
    Transform* pt = other->Get<Transform>();
    Transform* cone = owner->Get<Transform>();
    GameObject* guard = Guard.Get();
    GuardLogic* logic = guard ? guard->Get<GuardLogic>() : nullptr;
    if (!player || !pt || !cone || !logic) return;
    if (player->SafeZone || player->godMode || player->Hidden) return;
    const float halfW = cone->scale.x * 0.5f, halfH = cone->scale.y * 0.5f;
    const float top = cone->position.y + halfH;
    if (!ConeLineClear(cone->position.x - halfW, cone->position.x + halfW, top,
                       cone->position.y - halfH, logic->Direction, pt->position.x))
        return;
    if (std::fabs(pt->position.y - top) > 1.5f || GameObjectManager::Get().paused) return;
    player->Alarmed = true;
    player->Meter += 0.8f;
    if (Sprite* s = guard->Get<Sprite>()) s->TextureSlot = s->AnimationIndex = 2;
    if (Body* b = guard->Get<Body>()) b->velocity.x = 0.1f;
    logic->PauseTimer = 0;
}

void GuardFOV::WriteState(JsonWriter& w) const
{
    w.Key("FovActive");
    w.Bool(FovActive);
}
