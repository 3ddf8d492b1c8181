#include "game/player/Player.h"

// Placeholder until the player's state lands.
void Player::Update() {}
void Player::HandleEvent(Event*) {}
bool Player::Serialize(JsonWriter&) const { return true; }
bool Player::Deserialize(const JsonView&) { return true; }
