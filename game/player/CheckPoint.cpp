#include "game/player/CheckPoint.h"

#include "engine/core/AudioSettings.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/player/Player.h"

namespace
{
void Light(CheckPoint& checkpoint, bool on)
{
    checkpoint.Activated = on;
    if (Sprite* s = checkpoint.owner ? checkpoint.owner->Get<Sprite>() : nullptr)
        s->TextureSlot = s->AnimationIndex = on ? 1 : 0;
}
} // namespace

void CheckPoint::OnCollision(GameObject* other)
{
    if (Activated || !other || other->type != kTypePlayer || !owner) return;
    Player* player = other->Get<Player>();
    Transform* t = owner->Get<Transform>();
    if (!player || !t) return;
    AudioSettings::Get().PlayEffect("Sounds/checkpoint.wav", 50);
    player->CheckPointPosition = t->position + glm::vec3(0.0f, 0.5f, 0.0f);
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [](GameObject& obj)
                                           {
                                               if (CheckPoint* c = obj.Get<CheckPoint>())
                                                   Light(*c, false);
                                           });
    Light(*this, true);
}

void CheckPoint::WriteState(JsonWriter& w) const
{
    w.Key("Activated");
    w.Bool(Activated);
}

void CheckPoint::DrawEditor()
{
    Panel().Begin("CheckPoint");
    Panel().Text("The player starts again here once touched.");
    Panel().Checkbox("Activated", &Activated);
    Panel().End();
}
