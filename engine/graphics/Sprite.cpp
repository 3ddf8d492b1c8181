#include "engine/graphics/Sprite.h"

// Placeholder until the sprite component lands.
Sprite::Sprite(GameObject* owner) : Component(owner, kCompSprite) {}
Sprite::~Sprite() = default;
bool Sprite::Deserialize(const JsonView&) { return true; }
void Sprite::Animate(int) {}
