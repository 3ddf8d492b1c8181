#include "game/player/PlayerThrows.h"

#include <cmath>

#include "engine/objects/GameObject.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/player/PlayerIntent.h"
#include "game/player/PokeBall.h"

namespace
{
GameObject* Spawn(const char* archetype, const glm::vec3& from, const glm::vec2& aim)
{
    // An item must fly: without a transform and a body there is nothing to throw. Checked
    // before spawning so that a bad archetype costs no slot and no count.
    LoadedArchetype found;
    if (!FindArchetype(archetype, found) || !found.view["Transform"].IsObject() ||
        !found.view["Body"].IsObject())
        return nullptr;
    GameObject* obj = SpawnFromArchetype(archetype);
    Transform* t = obj ? obj->Get<Transform>() : nullptr;
    Body* b = obj ? obj->Get<Body>() : nullptr;
    if (!t || !b) return nullptr;
    t->position.x = from.x;
    t->position.y = from.y;
    b->velocity = ThrowVelocity(aim);
    return obj;
}
} // namespace

glm::vec2 AimDirection(const glm::vec3& from, const PlayerIntent& intent)
{
    if (intent.controller && !intent.playback)
    {
        float len = std::sqrt(intent.rightStick.x * intent.rightStick.x +
                              intent.rightStick.y * intent.rightStick.y);
        return len > 0.0f ? intent.rightStick / len : glm::vec2(0.0f);
    }
    if (!intent.hasAimPoint) return glm::vec2(0.0f);
    glm::vec3 d = intent.aimPoint - from;
    float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (!(len > 0.0f) || !std::isfinite(len)) return glm::vec2(0.0f);
    return glm::vec2(d.x / len, d.y / len);
}

glm::vec2 ThrowVelocity(const glm::vec2& aim)
{
    return glm::vec2(15.0f * aim.x / 1.5f, 15.0f * aim.y);
}

GameObject* ThrowBall(const glm::vec3& from, const glm::vec2& aim)
{
    GameObject* obj = Spawn(kBallArchetype, from, aim);
    if (obj) obj->AddComponent(new PokeBall(obj));
    return obj;
}

GameObject* ThrowEmp(const glm::vec3& from, float rotation, const glm::vec2& aim)
{
    GameObject* obj = Spawn(kEmpArchetype, from, aim);
    if (obj)
        if (Transform* t = obj->Get<Transform>()) t->rotation = rotation;
    return obj;
}
