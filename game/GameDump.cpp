#include "game/GameDump.h"

#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/menus/MenuDump.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"

namespace
{
void WritePlayer(JsonWriter& w)
{
    w.Key("Player");
    GameObject* player = GameObjectManager::Get().Player();
    Transform* t = player ? player->Get<Transform>() : nullptr;
    if (!t)
    {
        w.Null();
        return;
    }
    w.StartObject();
    WriteNumbers(w, "Position", &t->position.x, 3);
    Body* body = player->Get<Body>();
    glm::vec2 vel = body ? body->velocity : glm::vec2(0.0f);
    WriteNumbers(w, "Velocity", &vel.x, 2);
    w.Key("CollisionFlags");
    w.Uint(player->collisionFlags);
    if (Player* p = player->Get<Player>())
    {
        w.Key("State");
        w.Int(p->State);
        w.Key("Hidden");
        w.Bool(p->Hidden);
        w.Key("Life");
        w.Int(p->Life);
        w.Key("GodMode");
        w.Bool(p->godMode);
        w.Key("Meter");
        w.Double(p->Meter);
        w.Key("Alarmed");
        w.Bool(p->Alarmed);
        w.Key("SafeZone");
        w.Bool(p->SafeZone);
        WriteNumbers(w, "CheckPoint", &p->CheckPointPosition.x, 3);
    }
    if (PlayerController* pc = player->Get<PlayerController>())
    {
        w.Key("Pose");
        w.Int(pc->CurrentPose);
        w.Key("Crawling");
        w.Bool(pc->Crawling);
        w.Key("Facing");
        w.Int(pc->Facing);
        w.Key("BallCount");
        w.Int(pc->BallCount);
        w.Key("EmpCount");
        w.Int(pc->EmpCount);
    }
    w.EndObject();
}
} // namespace

void WriteGameDump(JsonWriter& w)
{
    WritePlayer(w);
    WriteMenuDump(w);
}
