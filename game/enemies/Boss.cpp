#include "game/enemies/Boss.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameNames.h"
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

} // namespace

std::vector<GameObject*> Boss::Cones()
{
    // The level's objects are placed in file order into free slots, so slot order is the order
    // the cones were made in, and the first hit takes the first cone of the level file.
    std::vector<GameObject*> cones;
    GameObjectManager& objects = GameObjectManager::Get();
    for (int layer = 0; layer < kLayerCount; ++layer)
        objects.ForEachActive(layer,
                              [&](GameObject& obj)
                              {
                                  if (obj.Get<BossFOV>()) cones.push_back(&obj);
                              });
    return cones;
}

namespace
{
// The first cone still standing: a hit never switches off an object that is not a cone.
GameObject* NextCone()
{
    for (GameObject* cone : Boss::Cones())
        if (cone->collidable) return cone;
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
