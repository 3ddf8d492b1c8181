// PhysicsManager: the map pass (objects against solid tiles) and the body pass (touches).
//
// The map pass is the only place the engine moves objects out of contact; the body pass only
// tells both parties of each touching pair through OnCollision, every frame they touch.
#pragma once

#include <cstdint>

class Body;
class GameObject;

class PhysicsManager
{
  public:
    static PhysicsManager& Get();

    // Side masks and snapping for the player and the moving gameplay objects (robots, capture
    // balls, EMPs, guards).
    void CollideMap();
    // Player against hiding spots and gameplay objects, then gameplay objects pairwise.
    // True when any pair touched.
    bool CollideBodies();

    // The map pass for the player alone: its probe box is its body's width (twice the first
    // vertex's x, scaled) by its full scaled height. The controller re-runs it when the crawl
    // changes the box.
    static void CollidePlayerWithMap(GameObject& player);

    // Side mask (1 left, 2 right, 4 top, 8 bottom) of a w x h box centred at (x, y) against the
    // map's solid cells.
    static uint32_t TileTest(float x, float y, float w, float h);
    // Moves an object with a non-zero mask out of the tiles and stops its motion into them;
    // capture balls bounce.
    static void TileResponse(GameObject& object);
    // Whether two bodies' shapes touch.
    static bool Overlap(const Body& a, const Body& b);

  private:
    PhysicsManager() = default;
};

// The object's first Body, or nullptr.
Body* BodyOf(const GameObject& object);
