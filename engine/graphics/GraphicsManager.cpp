#include "engine/graphics/GraphicsManager.h"

#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"

float SpotlightRadius = 25.0f;

GraphicsManager& GraphicsManager::Get()
{
    static GraphicsManager instance;
    return instance;
}

void GraphicsManager::BeginFrame(int, int) {}

void GraphicsManager::DrawLayer(int layer)
{
    GameObjectManager::Get().ForEachActive(layer, [](GameObject& obj) {
        Sprite* sprite = obj.Get<Sprite>();
        if (!sprite || !sprite->Active) return;
        sprite->Animate(sprite->AnimationIndex);
    });
}

void GraphicsManager::DrawSingle(Sprite&) {}

bool GraphicsManager::SaveScreenshot(const std::string&) { return false; }

void GraphicsManager::Release() {}
