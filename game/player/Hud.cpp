#include "game/player/Hud.h"

#include "engine/core/EventManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/player/Player.h"

namespace
{
void ShowLives(GameObject* owner, int slot)
{
    if (Sprite* s = owner ? owner->Get<Sprite>() : nullptr)
        s->TextureSlot = s->AnimationIndex = slot;
}
} // namespace

void HealthBar::HandleEvent(Event* event)
{
    if (!event || !owner) return;
    Sprite* s = owner->Get<Sprite>();
    switch (event->type)
    {
    case kEventShowTwoLives:
        ShowLives(owner, 1);
        break;
    case kEventShowOneLife:
        ShowLives(owner, 2);
        break;
    case kEventLifeLost:
        if (!s) break;
        if (s->TextureSlot >= 2)
            EventManager::Get().PostEvent(kEventRestartLevel); // no lives left
        else
            ShowLives(owner, s->TextureSlot + 1);
        break;
    default:
        break;
    }
}

void StaminaBar::Update()
{
    GameObject* playerObj = GameObjectManager::Get().Player();
    Player* player = playerObj ? playerObj->Get<Player>() : nullptr;
    Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (!player || !t) return;
    const double m = player->Meter / 200.0, p = PreviousFill, target = Target, d = m - p;
    bool apply;
    if (target >= m)
    {
        Step = m;
        apply = m > p && target >= p;
    }
    else
    {
        Step = target * 0.5;
        apply = target * 0.5 > p && target >= p;
    }
    if (!apply && (p <= Step || 2.0 * p < m))
    {
        t->scale.x = 0.0f;
        PreviousFill = 0.0;
        return;
    }
    t->scale.x += static_cast<float>(d);
    PreviousFill = m;
}

bool StaminaBar::Serialize(JsonWriter& writer) const
{
    writer.Key("StaminaBar");
    writer.StartObject();
    writer.Key("Target");
    writer.Double(Target);
    writer.EndObject();
    return true;
}

bool StaminaBar::Deserialize(const JsonView& value)
{
    value.Read("Target", Target);
    return true;
}
