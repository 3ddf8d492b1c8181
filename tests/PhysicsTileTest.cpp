// The map pass: probes, snapping onto tile borders, the capture ball's bounce, and who is tested.
#include <gtest/gtest.h>

#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"
#include "game/GameNames.h"
#include "tests/WorldFixtures.h"

using WorldFix::MakeBody;

namespace
{
Transform* T(GameObject* obj)
{
    return obj->Get<Transform>();
}
Body* B(GameObject* obj)
{
    return obj->Get<Body>();
}

// Runs the response the way the pass does: mask first, then the snap.
void Respond(GameObject* obj, float w, float h)
{
    Transform* t = T(obj);
    obj->collisionFlags = PhysicsManager::TileTest(t->position.x, t->position.y, w, h);
    if (obj->collisionFlags) PhysicsManager::TileResponse(*obj);
}
} // namespace

TEST(PhysicsTile, TallPlayerFeelsTheFloorOnlyOnceItsFeetReachTheCell)
{
    WorldFix::LoadEmptyMap(10, 10);
    WorldFix::SolidCell(3, 3);
    // Scale (1, 2), half-width 0.5: the probe box is 1 wide and 2 tall.
    EXPECT_EQ(PhysicsManager::TileTest(3.0f, 5.0f, 1.0f, 2.0f) & kContactBottom, 0u);
    EXPECT_EQ(PhysicsManager::TileTest(3.0f, 4.9f, 1.0f, 2.0f) & kContactBottom, 0u);
    EXPECT_EQ(PhysicsManager::TileTest(3.0f, 4.4f, 1.0f, 2.0f), uint32_t{kContactBottom});

    GameObject* player = MakeBody(kTypePlayer, {3.0f, 4.4f}, {1.0f, 2.0f});
    B(player)->velocity = glm::vec2(0.0f, -3.0f);
    PhysicsManager::Get().CollideMap();
    EXPECT_EQ(player->collisionFlags, uint32_t{kContactBottom});
    EXPECT_FLOAT_EQ(T(player)->position.y, 4.5f);
    EXPECT_FLOAT_EQ(B(player)->velocity.y, 0.0f);
    // Standing exactly on the border the next frame keeps the same mask and place.
    PhysicsManager::Get().CollideMap();
    EXPECT_EQ(player->previousCollisionFlags, uint32_t{kContactBottom});
    EXPECT_FLOAT_EQ(T(player)->position.y, 4.5f);
}

TEST(PhysicsTile, OutsideTheMapIsSolidLeftAndBelowAndFreeAboveUpToTheCapacity)
{
    WorldFix::LoadEmptyMap(4, 3); // capacity 8 x 6
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, 1.0f, 1.0f, 1.0f), 0u);
    // Reaching 0.05 past an edge: only that side's probes are out (the others stay 0.1 inside).
    EXPECT_EQ(PhysicsManager::TileTest(-0.05f, 1.0f, 1.0f, 1.0f), uint32_t{kContactLeft});
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, -0.05f, 1.0f, 1.0f), uint32_t{kContactBottom});
    // Above the top row (2) the cells are free up to row 5.
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, 4.0f, 1.0f, 1.0f), 0u);
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, 4.95f, 1.0f, 1.0f), 0u);
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, 5.05f, 1.0f, 1.0f), uint32_t{kContactTop});
    EXPECT_EQ(PhysicsManager::TileTest(7.05f, 1.0f, 1.0f, 1.0f), uint32_t{kContactRight});
    // Boxed in from every side.
    EXPECT_EQ(PhysicsManager::TileTest(-3.0f, -3.0f, 1.0f, 1.0f), 15u);
    // A position that is no number reads solid all round instead of indexing anywhere.
    EXPECT_EQ(PhysicsManager::TileTest(std::nanf(""), 1.0f, 1.0f, 1.0f), 15u);
    EXPECT_EQ(PhysicsManager::TileTest(3.0e9f, -3.0e9f, 1.0f, 1.0f), 15u);
}

TEST(PhysicsTile, WallBesideTheBodyIsNotReadAsFloorOrCeiling)
{
    WorldFix::LoadEmptyMap(10, 10);
    for (int r = 0; r < 10; ++r) WorldFix::SolidCell(2, r);
    // An edge resting on the border is not in the wall yet.
    EXPECT_EQ(PhysicsManager::TileTest(3.0f, 5.0f, 1.0f, 1.0f), 0u);
    // Slightly into it: the side probes hit, the floor and ceiling probes do not.
    EXPECT_EQ(PhysicsManager::TileTest(2.95f, 5.0f, 1.0f, 1.0f), uint32_t{kContactLeft});
    EXPECT_EQ(PhysicsManager::TileTest(1.05f, 5.0f, 1.0f, 1.0f), uint32_t{kContactRight});
}

TEST(PhysicsTile, SnappingMovesTheTouchingEdgeOntoTheTileBorder)
{
    WorldFix::LoadEmptyMap(10, 10);
    for (int r = 0; r < 10; ++r) WorldFix::SolidCell(0, r);
    for (int r = 0; r < 10; ++r) WorldFix::SolidCell(6, r);
    WorldFix::SolidCell(3, 7);

    GameObject* left = MakeBody(kTypeRobot, {0.95f, 4.0f});
    B(left)->velocity = glm::vec2(-2.0f, 1.0f);
    Respond(left, 1.0f, 1.0f);
    EXPECT_EQ(left->collisionFlags, uint32_t{kContactLeft});
    EXPECT_FLOAT_EQ(T(left)->position.x, 1.0f); // left edge on the border at 0.5
    EXPECT_EQ(B(left)->velocity, glm::vec2(0.0f, 1.0f));

    GameObject* right = MakeBody(kTypeRobot, {5.05f, 4.0f});
    B(right)->velocity = glm::vec2(2.0f, 0.0f);
    Respond(right, 1.0f, 1.0f);
    EXPECT_EQ(right->collisionFlags, uint32_t{kContactRight});
    EXPECT_FLOAT_EQ(T(right)->position.x, 5.0f);
    EXPECT_FLOAT_EQ(B(right)->velocity.x, 0.0f);

    GameObject* head = MakeBody(kTypeRobot, {3.0f, 6.05f});
    B(head)->velocity = glm::vec2(0.0f, 4.0f);
    Respond(head, 1.0f, 1.0f);
    EXPECT_EQ(head->collisionFlags, uint32_t{kContactTop});
    EXPECT_FLOAT_EQ(T(head)->position.y, 6.0f);
    EXPECT_FLOAT_EQ(B(head)->velocity.y, 0.0f);
}

TEST(PhysicsTile, CaptureBallBouncesByItsBounceAndFlipsItsSpinOnWalls)
{
    WorldFix::LoadEmptyMap(10, 10);
    for (int c = 0; c < 10; ++c) WorldFix::SolidCell(c, 0);
    for (int r = 0; r < 10; ++r) WorldFix::SolidCell(0, r);

    GameObject* dead = MakeBody(kTypePokeBall, {5.0f, 0.95f});
    B(dead)->velocity = glm::vec2(0.0f, -5.0f);
    Respond(dead, 1.0f, 1.0f);
    EXPECT_EQ(B(dead)->velocity, glm::vec2(0.0f)); // bounce 0: stops dead

    GameObject* ball = MakeBody(kTypePokeBall, {5.0f, 0.95f});
    B(ball)->bounce = 0.5f;
    B(ball)->velocity = glm::vec2(0.0f, -5.0f);
    Respond(ball, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(B(ball)->velocity.y, 2.5f);
    EXPECT_FLOAT_EQ(T(ball)->position.y, 1.0f);

    GameObject* wall = MakeBody(kTypePokeBall, {0.95f, 5.0f});
    B(wall)->bounce = 0.5f;
    B(wall)->spin = 3.0f;
    B(wall)->velocity = glm::vec2(-4.0f, 0.0f);
    Respond(wall, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(B(wall)->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(B(wall)->spin, -3.0f);

    // Only the capture ball bounces.
    GameObject* robot = MakeBody(kTypeRobot, {5.0f, 0.95f});
    B(robot)->bounce = 0.5f;
    B(robot)->velocity = glm::vec2(0.0f, -5.0f);
    Respond(robot, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(B(robot)->velocity.y, 0.0f);
}

TEST(PhysicsTile, MapPassVisitsOnlyThePlayerAndMovingGameplayObjects)
{
    WorldFix::LoadEmptyMap(10, 10);
    for (int c = 0; c < 10; ++c) WorldFix::SolidCell(c, 0);
    GameObject* guard = MakeBody(kTypeGuard, {3.0f, 0.95f});
    GameObject* crate = MakeBody(kTypeBox, {5.0f, 1.0f});
    crate->collisionFlags = 99;
    GameObject* bare = MakeBody(kTypeRobot, {7.0f, 1.0f}, glm::vec2(1.0f), 0.0f, {});
    bare->collisionFlags = 77;
    GameObject* placeless = GameObjectManager::Get().CreateObject(kTypeEmp);
    placeless->type = kTypeEmp;
    placeless->AddComponent(new Body(placeless));
    B(placeless)->vertices = WorldFix::UnitSquare();
    placeless->collisionFlags = 55;
    GameObject* decor = MakeBody(kTypeDecorate, {2.0f, 1.0f});

    PhysicsManager::Get().CollideMap();
    EXPECT_EQ(guard->collisionFlags, uint32_t{kContactBottom});
    EXPECT_EQ(crate->collisionFlags, 99u);     // boxes never get a mask
    EXPECT_EQ(bare->collisionFlags, 77u);      // no vertices: skipped
    EXPECT_EQ(placeless->collisionFlags, 55u); // no Transform: skipped
    EXPECT_EQ(decor->collisionFlags, 0u);      // other layers never
}

TEST(PhysicsTile, FallingPlayerComesToRestOnTheGround)
{
    WorldFix::LoadEmptyMap(12, 8);
    for (int c = 0; c < 12; ++c) WorldFix::SolidCell(c, 0);
    GameObject* player = MakeBody(kTypePlayer, {4.0f, 6.0f}, {1.5f, 2.0f});
    B(player)->gravity = true;
    for (int frame = 0; frame < 120; ++frame)
    {
        B(player)->Update();
        PhysicsManager::Get().CollideMap();
    }
    // Feet on the top of row 0 (y 0.5): centre one half-height above.
    EXPECT_FLOAT_EQ(T(player)->position.y, 1.5f);
    EXPECT_NE(player->collisionFlags & kContactBottom, 0u);
    EXPECT_LE(B(player)->velocity.y, 0.0f);
    EXPECT_GT(B(player)->velocity.y, -0.5f);
}
