#include "game/player/PlayerController.h"

// Placeholder until the controller lands.
PlayerController::PlayerController(GameObject* owner) : Component(owner, kCompPlayerController) {}
void PlayerController::Update() {}
void PlayerController::HandleEvent(Event*) {}
bool PlayerController::Serialize(JsonWriter&) const { return true; }
bool PlayerController::Deserialize(const JsonView&) { return true; }
void PlayerController::Reset() {}
