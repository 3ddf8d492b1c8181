#include "game/enemies/Boss.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "game/enemies/BossFov.h"
#include "game/player/Player.h"

namespace
{
constexpr float kShakeMs = 300.0f;

// Out of play at once (no more touches, not drawn) and freed at the next safe point.
void TakeOut(GameObject& obj)
{
    obj.collidable = false;
    if (Sprite* s = obj.Get<Sprite>()) s->Active = false;
    GameObjectManager::Get().QueueDestroy(&obj);
}

// The next listed cone still standing. A cone listed twice, or one already gone, is skipped, so
// a hit never switches off an object that is not a cone of this level.
GameObject* NextCone()
{
    for (const ObjectRef& ref : GameObjectManager::Get().bossVisionObjects)
    {
        GameObject* cone = ref.Get();
        if (cone && cone->collidable && cone->Get<BossFOV>()) return cone;
    }
    return nullptr;
}
} // namespace

void Boss::OnCollision(GameObject* other)
{
    // An EMP already spent on this boss is still in the pass until the destroy step.
    if (!other || other->type != kTypeEmp || !other->collidable) return;
    if (Camera* cam = CameraManager::Get().GetCurrentCamera())
    {
        cam->shaking = true;
        cam->shakeTimeMs = kShakeMs;
    }
    TakeOut(*other);
    AudioSettings& audio = AudioSettings::Get();
    if (hitCount < kConesToBreak)
    {
        audio.PlayEffect("Sounds/explosionFOV.wav", 100);
        if (GameObject* cone = NextCone()) TakeOut(*cone);
        ++hitCount;
        return;
    }
    audio.PlayEffect("Sounds/explosion.wav", 100);
    GameObject* player = GameObjectManager::Get().Player();
    if (Player* p = player ? player->Get<Player>() : nullptr) p->spotLight = true;
}

void Boss::DrawEditor()
{
    DrawBossPanel(nullptr);
}

void Boss::WriteState(JsonWriter& w) const
{
    w.Key("HitCount");
    w.Int(hitCount);
}
