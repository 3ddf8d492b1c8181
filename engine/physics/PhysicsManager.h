// PhysicsManager: the map pass (objects against solid tiles) and the body pass (touches).
#pragma once

#include <cstdint>

class Body;
class GameObject;

class PhysicsManager
{
  public:
    static PhysicsManager& Get();

    void CollideMap();
    bool CollideBodies();

    // Side mask (1 left, 2 right, 4 top, 8 bottom) of a w x h box centred at (x, y) against the
    // map's solid cells.
    static uint32_t TileTest(float x, float y, float w, float h);
    // Moves an object with a non-zero mask out of the tiles and stops its motion into them.
    static void TileResponse(GameObject& object);
    // Whether two bodies' shapes touch.
    static bool Overlap(const Body& a, const Body& b);

  private:
    PhysicsManager() = default;
};
