#include "game/story/ZentoTech.h"

#include "engine/core/FrameRateController.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObject.h"

void ZentoTech::Show(int slot)
{
    if (Sprite* sprite = owner ? owner->Get<Sprite>() : nullptr)
        sprite->TextureSlot = sprite->AnimationIndex = slot;
}

bool ZentoTech::Deserialize(const JsonView& value)
{
    if (value.Read("InitialState", initialState)) state = initialState;
    Show(state == 1 ? 1 : 0);
    return true;
}

bool ZentoTech::Serialize(JsonWriter& writer) const
{
    writer.Key("ZentoTech");
    writer.StartObject();
    writer.Key("InitialState");
    writer.Int(initialState);
    writer.EndObject();
    return true;
}

void ZentoTech::Update()
{
    if (state != 0 && state != 1) return; // an unknown frame number holds still
    if (timer <= 0.0f)
    {
        state = 1 - state;
        Show(state);
        timer = kSwitchMs;
    }
    timer -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
}
