#include "game/player/Emp.h"

#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"

EMP::EMP(GameObject* owner) : Component(owner, kCompEmp), Lifetime(GameTuning::Get().empLifetimeMs)
{
}

void EMP::Update()
{
    if (!owner) return;
    GameObjectManager& objects = GameObjectManager::Get();
    if (owner->collisionFlags >= 15u) objects.QueueDestroy(owner);
    if (owner->collisionFlags == kContactBottom)
        if (Body* b = owner->Get<Body>()) b->velocity.x = 0.0f;
    Lifetime -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
    if (Lifetime < 0.0f) objects.QueueDestroy(owner);
}

void EMP::WriteState(JsonWriter& w) const
{
    w.Key("Lifetime");
    w.Double(Lifetime);
}
