#include "engine/physics/Body.h"

// Placeholder until the body component lands.
void Body::Update() {}
bool Body::Deserialize(const JsonView&) { return true; }
