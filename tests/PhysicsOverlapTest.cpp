// Touch tests between bodies and the body pass that reports them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"
#include "game/GameNames.h"
#include "tests/WorldFixtures.h"

using WorldFix::AddRecorder;
using WorldFix::MakeBody;
using WorldFix::Recorder;

namespace
{
bool Touch(GameObject* a, GameObject* b)
{
    return PhysicsManager::Overlap(*a->Get<Body>(), *b->Get<Body>());
}

size_t Count(const Recorder* r, const GameObject* other)
{
    return static_cast<size_t>(std::count(r->heard.begin(), r->heard.end(), other));
}
} // namespace

TEST(PhysicsOverlap, SquaresTouchAlongAnEdgeButNotApartOrCornerToCorner)
{
    GameObject* a = MakeBody(kTypeBox, {0.0f, 0.0f});
    GameObject* edge = MakeBody(kTypeBox, {1.0f, 0.0f});
    GameObject* apart = MakeBody(kTypeBox, {1.01f, 0.0f});
    GameObject* corner = MakeBody(kTypeBox, {1.0f, 1.0f});
    GameObject* inside = MakeBody(kTypeBox, {0.3f, -0.2f});
    // Exact contact is a boundary case: it is decided with the left square as first party, the
    // order the body pass uses when it sits in the earlier slot.
    EXPECT_TRUE(Touch(a, edge));
    EXPECT_FALSE(Touch(a, apart));
    EXPECT_FALSE(Touch(a, corner));
    EXPECT_TRUE(Touch(a, inside));
}

TEST(PhysicsOverlap, CirclesAtExactlyTheirSummedRadiiTouch)
{
    GameObject* a = MakeBody(kTypeBox, {0.0f, 0.0f}, glm::vec2(1.0f), 1.0f, {});
    GameObject* b = MakeBody(kTypeBox, {2.0f, 0.0f}, glm::vec2(1.0f), 1.0f, {});
    GameObject* c = MakeBody(kTypeBox, {0.0f, -2.001f}, glm::vec2(1.0f), 1.0f, {});
    EXPECT_TRUE(Touch(a, b));
    EXPECT_FALSE(Touch(a, c)); // no polygon to fall back on
    // The circle grows with the x scale only.
    a->Get<Transform>()->scale.x = 1.1f;
    EXPECT_TRUE(Touch(a, c));
    // Radius 0 at the same place still touches.
    GameObject* p = MakeBody(kTypeBox, {4.0f, 4.0f}, glm::vec2(1.0f), 0.0f, {});
    GameObject* q = MakeBody(kTypeBox, {4.0f, 4.0f}, glm::vec2(1.0f), 0.0f, {});
    EXPECT_TRUE(Touch(p, q));
}

TEST(PhysicsOverlap, ShapesFollowScaleAndRotation)
{
    GameObject* a = MakeBody(kTypeBox, {0.0f, 0.0f});
    GameObject* b = MakeBody(kTypeBox, {1.6f, 0.0f});
    EXPECT_FALSE(Touch(a, b));
    a->Get<Transform>()->scale.x = 2.5f; // reaches x 1.25, past b's left edge at 1.1
    EXPECT_TRUE(Touch(a, b));
    a->Get<Transform>()->scale.x = 1.0f;
    a->Get<Transform>()->rotation = 0.7853982f; // a diamond reaching x 0.707
    b->Get<Transform>()->position.x = 1.25f;    // left edge 0.75
    EXPECT_FALSE(Touch(a, b));
    b->Get<Transform>()->position.x = 1.15f; // left edge 0.65
    EXPECT_TRUE(Touch(a, b));
}

TEST(PhysicsOverlap, BodiesWithoutAPlaceNeverTouch)
{
    GameObject* a = MakeBody(kTypeBox, {0.0f, 0.0f});
    GameObject* ghost = GameObjectManager::Get().CreateObject(kTypeBox);
    ghost->AddComponent(new Body(ghost));
    ghost->Get<Body>()->vertices = WorldFix::UnitSquare();
    EXPECT_FALSE(Touch(a, ghost));
    GameObject* hollow = MakeBody(kTypeBox, {0.2f, 0.0f}, glm::vec2(1.0f), 0.0f, {});
    EXPECT_FALSE(Touch(a, hollow)); // circle test fails and there is no polygon
}

// Separating-axis distance between two convex polygons: positive when apart, negative when
// overlapping, about 0 when touching.
float SatGap(const std::vector<glm::vec2>& a, const std::vector<glm::vec2>& b)
{
    float gap = -1e30f;
    for (const auto* poly : {&a, &b})
        for (size_t i = 0; i < poly->size(); ++i)
        {
            glm::vec2 e = (*poly)[(i + 1) % poly->size()] - (*poly)[i];
            glm::vec2 n(-e.y, e.x);
            float len = std::sqrt(n.x * n.x + n.y * n.y);
            if (len < 1e-6f) continue;
            n /= len;
            float minA = 1e30f, maxA = -1e30f, minB = 1e30f, maxB = -1e30f;
            for (const glm::vec2& p : a)
                minA = std::min(minA, p.x * n.x + p.y * n.y),
                maxA = std::max(maxA, p.x * n.x + p.y * n.y);
            for (const glm::vec2& p : b)
                minB = std::min(minB, p.x * n.x + p.y * n.y),
                maxB = std::max(maxB, p.x * n.x + p.y * n.y);
            gap = std::max(gap, std::max(minB - maxA, minA - maxB));
        }
    return gap;
}

TEST(PhysicsOverlap, AgreesWithSeparatingAxesOnRandomConvexPolygons)
{
    std::mt19937 rng(1234567u);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int compared = 0, touching = 0;
    for (int round = 0; round < 3000; ++round)
    {
        GameObjectManager::Get().DestroyAllObjects();
        std::vector<glm::vec2> world[2];
        GameObject* objs[2];
        for (int k = 0; k < 2; ++k)
        {
            int n = 3 + static_cast<int>(unit(rng) * 8.0f);
            std::vector<float> angles(n);
            for (float& a : angles) a = unit(rng) * 6.2831853f;
            std::sort(angles.begin(), angles.end());
            float radius = 0.3f + unit(rng) * 1.5f;
            std::vector<glm::vec2> local;
            for (float a : angles) local.emplace_back(radius * std::cos(a), radius * std::sin(a));
            glm::vec2 pos(unit(rng) * 4.0f - 2.0f, unit(rng) * 4.0f - 2.0f);
            glm::vec2 scale(0.5f + unit(rng) * 1.5f, 0.5f + unit(rng) * 1.5f);
            float rot = unit(rng) * 6.2831853f;
            objs[k] = MakeBody(kTypeBox, pos, scale, 0.0f, local);
            objs[k]->Get<Transform>()->rotation = rot;
            for (const glm::vec2& v : local)
            {
                float sx = scale.x * v.x, sy = scale.y * v.y;
                world[k].emplace_back(pos.x + std::cos(rot) * sx - std::sin(rot) * sy,
                                      pos.y + std::sin(rot) * sx + std::cos(rot) * sy);
            }
        }
        float gap = SatGap(world[0], world[1]);
        if (std::fabs(gap) < 1e-3f) continue; // touching within rounding: either answer is fair
        ++compared;
        touching += gap < 0.0f;
        ASSERT_EQ(Touch(objs[0], objs[1]), gap < 0.0f) << "round " << round << " gap " << gap;
        ASSERT_EQ(Touch(objs[1], objs[0]), gap < 0.0f) << "round " << round << " swapped";
    }
    EXPECT_GT(compared, 2900);
    EXPECT_GT(touching, 500);
    EXPECT_LT(touching, compared - 500);
}

TEST(PhysicsOverlap, PassReportsEachTouchingPairOnceEarlierSlotFirst)
{
    GameObject* a = MakeBody(kTypeGuard, {0.0f, 0.0f});
    GameObject* b = MakeBody(kTypeBox, {0.5f, 0.0f});
    GameObject* far = MakeBody(kTypeBox, {10.0f, 0.0f});
    Recorder* ra = AddRecorder(a);
    Recorder* rb = AddRecorder(b);
    Recorder* rf = AddRecorder(far);
    int order = 0, aHeard = -1, bHeard = -1;
    struct Stamp : Component
    {
        Stamp(GameObject* o, int& counter, int& at) : Component(o, 101), n(counter), mark(at) {}
        void HandleEvent(Event*) override {}
        void OnCollision(GameObject*) override { mark = n++; }
        int& n;
        int& mark;
    };
    a->AddComponent(new Stamp(a, order, aHeard));
    b->AddComponent(new Stamp(b, order, bHeard));
    EXPECT_TRUE(PhysicsManager::Get().CollideBodies());
    EXPECT_EQ(Count(ra, b), 1u);
    EXPECT_EQ(Count(rb, a), 1u);
    EXPECT_TRUE(rf->heard.empty());
    EXPECT_LT(aHeard, bHeard); // the earlier slot hears first
    // A pair that keeps touching is reported again the next frame.
    PhysicsManager::Get().CollideBodies();
    EXPECT_EQ(Count(ra, b), 2u);
}

TEST(PhysicsOverlap, DeadPoolsAreNeverPairedButThePlayerStillFeelsThem)
{
    GameObject* player = MakeBody(kTypePlayer, {0.0f, 0.0f});
    GameObject* pool1 = MakeBody(kTypeDeadPool, {0.2f, 0.0f});
    GameObject* pool2 = MakeBody(kTypeDeadPool, {0.4f, 0.0f});
    GameObject* guard = MakeBody(kTypeGuard, {0.3f, 0.0f});
    Recorder* rp = AddRecorder(player);
    Recorder* r1 = AddRecorder(pool1);
    Recorder* r2 = AddRecorder(pool2);
    Recorder* rg = AddRecorder(guard);
    PhysicsManager::Get().CollideBodies();
    EXPECT_EQ(Count(r1, pool2), 0u);
    EXPECT_EQ(Count(r2, pool1), 0u);
    EXPECT_EQ(Count(rg, pool1) + Count(rg, pool2), 0u);
    EXPECT_EQ(Count(rp, pool1), 1u);
    EXPECT_EQ(Count(r1, player), 1u);
    EXPECT_EQ(Count(rp, guard), 1u);
}

TEST(PhysicsOverlap, PlayerMeetsOnlyCollidableHidingSpotsAndGameplayObjects)
{
    GameObject* player = MakeBody(kTypePlayer, {0.0f, 0.0f});
    GameObject* can = MakeBody(kTypeHideBox, {0.5f, 0.0f});
    GameObject* blind = MakeBody(kTypeHideBox, {0.5f, 0.0f});
    blind->collidable = false;
    GameObject* decor = MakeBody(kTypeDecorate, {0.0f, 0.0f});
    GameObject* tile = MakeBody(kTypeMap, {0.0f, 0.0f});
    Recorder* rp = AddRecorder(player);
    PhysicsManager::Get().CollideBodies();
    EXPECT_EQ(Count(rp, can), 1u);
    EXPECT_EQ(Count(rp, blind), 0u);
    EXPECT_EQ(Count(rp, decor), 0u);
    EXPECT_EQ(Count(rp, tile), 0u);
}

TEST(PhysicsOverlap, LaterPairsSeeWhatAHandlerMoved)
{
    GameObject* a = MakeBody(kTypeBox, {0.0f, 0.0f});
    GameObject* b = MakeBody(kTypeBox, {0.5f, 0.0f});
    GameObject* c = MakeBody(kTypeBox, {-0.5f, 0.0f}); // touches a, not b
    struct Shove : Component
    {
        Shove(GameObject* o, GameObject* t) : Component(o, 101), target(t) {}
        void HandleEvent(Event*) override {}
        void OnCollision(GameObject*) override { target->Get<Transform>()->position.x = 40.0f; }
        GameObject* target;
    };
    b->AddComponent(new Shove(b, c)); // hearing about a, b pushes c away
    Recorder* ra = AddRecorder(a);
    Recorder* rc = AddRecorder(c);
    PhysicsManager::Get().CollideBodies();
    EXPECT_EQ(Count(ra, b), 1u);
    EXPECT_EQ(Count(ra, c), 0u); // (a, c) is tested after (a, b) and c has gone
    EXPECT_TRUE(rc->heard.empty());
}

TEST(PhysicsOverlap, ACrowdHearsExactlyTheTouchingPairsInSlotOrder)
{
    using Heard = std::vector<std::pair<GameObject*, GameObject*>>;
    struct Log : Component
    {
        Log(GameObject* o, Heard& h) : Component(o, 101), heard(h) {}
        void HandleEvent(Event*) override {}
        void OnCollision(GameObject* other) override { heard.emplace_back(owner, other); }
        Heard& heard;
    };
    std::mt19937 rng(99u);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    Heard heard;
    std::vector<GameObject*> bodies;
    for (int i = 0; i < 150; ++i)
    {
        bool round = unit(rng) < 0.3f;
        int type = unit(rng) < 0.1f ? kTypeDeadPool : kTypeBox;
        glm::vec2 at(unit(rng) * 30.0f, unit(rng) * 4.0f);
        glm::vec2 scale(unit(rng) < 0.1f ? -1.0f : 0.5f + unit(rng), 0.5f + unit(rng));
        GameObject* obj = MakeBody(type, at, scale, round ? unit(rng) : 0.0f,
                                   round ? std::vector<glm::vec2>{} : WorldFix::UnitSquare());
        obj->Get<Transform>()->rotation = unit(rng) * 3.0f;
        obj->AddComponent(new Log(obj, heard));
        bodies.push_back(obj);
    }
    Heard expected;
    for (size_t i = 0; i < bodies.size(); ++i)
        for (size_t j = i + 1; j < bodies.size(); ++j)
        {
            if (bodies[i]->type == kTypeDeadPool || bodies[j]->type == kTypeDeadPool) continue;
            if (!Touch(bodies[i], bodies[j])) continue;
            expected.emplace_back(bodies[i], bodies[j]);
            expected.emplace_back(bodies[j], bodies[i]);
        }
    ASSERT_GT(expected.size(), 40u);
    PhysicsManager::Get().CollideBodies();
    EXPECT_EQ(heard, expected);
}

TEST(PhysicsOverlap, APassWithNothingTouchingReportsNothing)
{
    for (int i = 0; i < 50; ++i) MakeBody(kTypeBox, {i * 2.0f, 0.0f});
    EXPECT_FALSE(PhysicsManager::Get().CollideBodies());
}
