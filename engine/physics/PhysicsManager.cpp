#include "engine/physics/PhysicsManager.h"

PhysicsManager& PhysicsManager::Get()
{
    static PhysicsManager instance;
    return instance;
}

// Placeholders until the collision passes land.
void PhysicsManager::CollideMap() {}
bool PhysicsManager::CollideBodies() { return false; }
uint32_t PhysicsManager::TileTest(float, float, float, float) { return 0; }
void PhysicsManager::TileResponse(GameObject&) {}
bool PhysicsManager::Overlap(const Body&, const Body&) { return false; }
