#include "game/player/PokeBall.h"

#include "engine/core/FrameRateController.h"
#include "engine/core/Random.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

void PokeBall::Update()
{
    if (!owner) return;
    Transform* t = owner->Get<Transform>();
    if (HoldsGuard && t) t->rotation = static_cast<float>(Random::Next() % 10) / 50.0f;
    Lifetime -= static_cast<int>(FrameRateController::Get().frameBudgetMs);
    // Queued: the ball is still being updated, and a guard may look at it this frame.
    if (Lifetime < 0) GameObjectManager::Get().QueueDestroy(owner);
    Body* b = owner->Get<Body>();
    if (!t || !b || b->velocity.x == 0.0f) return;
    if (t->rotation > 0.0f)
        t->rotation -= 0.1f;
    else if (t->rotation < 0.0f)
        t->rotation += 0.1f;
}

void PokeBall::WriteState(JsonWriter& w) const
{
    w.Key("HoldsGuard");
    w.Bool(HoldsGuard);
    w.Key("Lifetime");
    w.Int(Lifetime);
}
