#include "game/player/TrashCan.h"

#include <cstdio>

#include "engine/core/AudioSettings.h"
#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/player/Player.h"
#include "game/story/RecordAndPlay.h"

namespace
{
const char* const kHideSound = "Sounds/hide.wav";

// The running playback of the player, if any.
const RecordAndPlay* Playback(const GameObject& player)
{
    const RecordAndPlay* record = player.Get<RecordAndPlay>();
    return record && record->IsPlaying() ? record : nullptr;
}

void MovePlayerTo(GameObject& player, const GameObject& can)
{
    Transform* pt = player.Get<Transform>();
    Transform* ct = can.Get<Transform>();
    if (pt && ct) pt->position.x = ct->position.x;
}
} // namespace

void TrashCan::OnCollision(GameObject*)
{
    GameObject* player = GameObjectManager::Get().Player();
    if (!player || !owner) return;
    InputManager& in = InputManager::Get();
    const RecordAndPlay* record = Playback(*player);
    if (!Occupied)
    {
        if (record)
        {
            Player* p = player->Get<Player>();
            if ((record->pressedKeys & kRecW) && p && p->State == kPlayerPlaying)
                Enter(*player, true);
        }
        else if (in.IsButtonTriggered("A") || in.IsKeyTriggered("w"))
        {
            LogPrintf("A!!\n");
            Player* p = player->Get<Player>();
            if (p && p->State == kPlayerPlaying) Enter(*player, false);
        }
    }
    else if (record ? (record->pressedKeys & kRecS) != 0
                    : in.IsKeyTriggered("s") || in.IsButtonTriggered("A"))
    {
        Leave(*player, record != nullptr);
    }
}

void TrashCan::Enter(GameObject& player, bool playback)
{
    if (!playback) AudioSettings::Get().PlayEffect(kHideSound, 100);
    if (Player* p = player.Get<Player>()) p->State = kPlayerHidden;
    EventManager::Get().PostEvent(kEventHide);
    Occupied = true;
    MovePlayerTo(player, *owner);
    LogPrintf("%s", playback ? "AUto Hide\n" : "Hide\n");
    Sprite* ps = player.Get<Sprite>();
    Show(true, ps ? ps->Mirrored : false);
    if (playback) AudioSettings::Get().PlayEffect(kHideSound, 100);
}

void TrashCan::Leave(GameObject& player, bool playback)
{
    if (!playback) AudioSettings::Get().PlayEffect(kHideSound, 100);
    EventManager::Get().PostEvent(kEventUnhide);
    if (Player* p = player.Get<Player>()) p->State = kPlayerPlaying;
    LogPrintf("%s", playback ? "AUto Show\n" : "Show\n");
    Show(false, false);
    Occupied = false;
    MovePlayerTo(player, *owner);
    if (playback) AudioSettings::Get().PlayEffect(kHideSound, 100);
}

void TrashCan::Update()
{
    if (!Occupied || !owner) return;
    Sprite* s = owner->Get<Sprite>();
    GameObject* player = GameObjectManager::Get().Player();
    const RecordAndPlay* record = player ? Playback(*player) : nullptr;
    const uint32_t keys = record ? record->pressedKeys : 0u;
    InputManager& in = InputManager::Get();
    if (!s) return;
    if (in.leftStickX < 0.0f || in.IsKeyTriggered("A") || (keys & kRecA)) s->Mirrored = true;
    if (in.leftStickX > 0.0f || in.IsKeyTriggered("D") || (keys & kRecD)) s->Mirrored = false;
}

void TrashCan::HandleEvent(Event* event)
{
    if (!event || event->type != kEventUnhide) return;
    GameObject* player = GameObjectManager::Get().Player();
    if (Player* p = player ? player->Get<Player>() : nullptr)
        // Only a hidden player comes out: a late leave event must not revive a dying one.
        if (p->State == kPlayerHidden) p->State = kPlayerPlaying;
    if (Occupied) LogPrintf("Show\n");
    Show(false, false);
    Occupied = false;
}

void TrashCan::Show(bool occupied, bool mirrored)
{
    Sprite* s = owner ? owner->Get<Sprite>() : nullptr;
    if (!s) return;
    s->TextureSlot = s->AnimationIndex = occupied ? 1 : 0;
    s->Mirrored = mirrored;
}

void TrashCan::WriteState(JsonWriter& w) const
{
    w.Key("Occupied");
    w.Bool(Occupied);
}

void TrashCan::DrawEditor()
{
    Panel().Begin("TrashCan");
    Panel().Text(Occupied ? "A hiding spot: the player is inside." : "A hiding spot: empty.");
    Panel().End();
}
