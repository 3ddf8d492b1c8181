// The body pass: who touches whom this frame.
//
// Shapes are placed once per pass and placed again only after a touch was reported, since
// OnCollision may move anything. Gameplay pairs are first narrowed by a sweep over their x
// extents; the survivors are tested in the order of a plain double loop over the slots, so what
// the handlers hear, and when, is the same as if every pair had been tried.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"
#include "engine/physics/Shape.h"

namespace
{
struct Candidate
{
    size_t slot = 0;
    GameObject* object = nullptr;
    bool placed = false;        // false: no Transform, so nothing to touch
    bool pairable = false;      // dead pools take part only in the player's test
    float lo = 0.0f, hi = 0.0f; // x extent of circle and polygon together
    WorldShape shape;
};

struct Pair
{
    size_t first, second; // positions in the candidate list, first < second
};

// Scratch kept between frames so a pass allocates nothing once warm.
struct PassScratch
{
    std::vector<Candidate> gameplay; // active layer-5 bodies in slot order
    size_t count = 0;
    std::vector<size_t> byLo;
    std::vector<Pair> pairs;
    WorldShape player, other;
    WorldShape overlapA, overlapB; // Overlap's own, so a handler may call it mid-pass
};

PassScratch& Scratch()
{
    static PassScratch scratch;
    return scratch;
}

bool Place(Body& body, WorldShape& out)
{
    Transform* t = body.OwnerTransform();
    if (!t) return false;
    BuildWorldShape(body, *t, out);
    return true;
}

void Report(GameObject& first, GameObject& second)
{
    first.NotifyCollision(&second);
    second.NotifyCollision(&first);
}

// The x range a shape can reach. A shape whose range is no number can touch nothing.
bool Extent(const WorldShape& s, float& lo, float& hi)
{
    float r = std::fabs(s.circle);
    lo = s.x - r;
    hi = s.x + r;
    if (!s.points.empty())
    {
        lo = std::min(lo, s.minX);
        hi = std::max(hi, s.maxX);
    }
    return std::isfinite(lo) && std::isfinite(hi);
}

// Refills the layer-5 candidates from the pool as it is now.
void Gather(PassScratch& s)
{
    std::vector<GameObject>& pool = GameObjectManager::Get().layers[kLayerGameplay];
    const TypeTables& types = GameObjectManager::Get().types;
    s.count = 0;
    for (size_t slot = 0; slot < pool.size(); ++slot)
    {
        GameObject& obj = pool[slot];
        if (!obj.active) continue;
        Body* body = BodyOf(obj);
        if (!body) continue;
        if (s.count == s.gameplay.size()) s.gameplay.emplace_back();
        Candidate& c = s.gameplay[s.count++];
        c.slot = slot;
        c.object = &obj;
        c.placed = Place(*body, c.shape);
        c.pairable =
            !types.Has(obj.type, kTypeNoContacts) && c.placed && Extent(c.shape, c.lo, c.hi);
    }
}

// Pairs whose x ranges overlap, in double-loop order.
void Sweep(PassScratch& s)
{
    s.byLo.clear();
    for (size_t i = 0; i < s.count; ++i)
        if (s.gameplay[i].pairable) s.byLo.push_back(i);
    std::sort(s.byLo.begin(), s.byLo.end(),
              [&s](size_t a, size_t b) { return s.gameplay[a].lo < s.gameplay[b].lo; });
    s.pairs.clear();
    for (size_t k = 0; k < s.byLo.size(); ++k)
    {
        const Candidate& a = s.gameplay[s.byLo[k]];
        for (size_t m = k + 1; m < s.byLo.size() && s.gameplay[s.byLo[m]].lo <= a.hi; ++m)
            s.pairs.push_back({std::min(s.byLo[k], s.byLo[m]), std::max(s.byLo[k], s.byLo[m])});
    }
    std::sort(s.pairs.begin(), s.pairs.end(),
              [](const Pair& a, const Pair& b)
              { return a.first != b.first ? a.first < b.first : a.second < b.second; });
}

// The player against the collidable bodies of the hiding-spot layer.
bool PlayerAgainstHidingSpots(GameObject& player)
{
    PassScratch& s = Scratch();
    bool any = false;
    Body* pb = BodyOf(player);
    bool placed = pb && Place(*pb, s.player);
    GameObjectManager::Get().ForEachActive(
        kLayerHideBox,
        [&](GameObject& obj)
        {
            Body* body = placed && obj.collidable ? BodyOf(obj) : nullptr;
            if (!body || !Place(*body, s.other) || !ShapesTouch(s.player, s.other)) return;
            Report(player, obj);
            any = true;
            // The handlers may have moved or removed the player.
            pb = player.active ? BodyOf(player) : nullptr;
            placed = pb && Place(*pb, s.player);
        });
    return any;
}

// The player against the gathered layer-5 bodies; regathers after each report.
bool PlayerAgainstGameplay(GameObject& player)
{
    PassScratch& s = Scratch();
    bool any = false;
    Body* pb = BodyOf(player);
    bool placed = pb && Place(*pb, s.player);
    size_t i = 0;
    while (placed && i < s.count)
    {
        Candidate& c = s.gameplay[i];
        if (!c.placed || !c.object->collidable || !ShapesTouch(s.player, c.shape))
        {
            ++i;
            continue;
        }
        const size_t slot = c.slot;
        Report(player, *c.object);
        any = true;
        Gather(s);
        i = 0;
        while (i < s.count && s.gameplay[i].slot <= slot) ++i;
        pb = player.active ? BodyOf(player) : nullptr;
        placed = pb && Place(*pb, s.player);
    }
    return any;
}

bool Before(const PassScratch& s, const Pair& p, size_t firstSlot, size_t secondSlot)
{
    size_t a = s.gameplay[p.first].slot, b = s.gameplay[p.second].slot;
    return a != firstSlot ? a < firstSlot : b <= secondSlot;
}

// Every pair of gameplay bodies once, the earlier slot first.
bool GameplayPairs()
{
    PassScratch& s = Scratch();
    Sweep(s);
    bool any = false;
    size_t k = 0;
    while (k < s.pairs.size())
    {
        const Candidate& a = s.gameplay[s.pairs[k].first];
        const Candidate& b = s.gameplay[s.pairs[k].second];
        if (!ShapesTouch(a.shape, b.shape))
        {
            ++k;
            continue;
        }
        const size_t firstSlot = a.slot, secondSlot = b.slot;
        Report(*a.object, *b.object);
        any = true;
        // Everything may have moved: start over from the pairs after this one.
        Gather(s);
        Sweep(s);
        k = 0;
        while (k < s.pairs.size() && Before(s, s.pairs[k], firstSlot, secondSlot)) ++k;
    }
    return any;
}
} // namespace

bool PhysicsManager::CollideBodies()
{
    bool any = false;
    GameObject* player = GameObjectManager::Get().Player();
    if (player && BodyOf(*player)) any = PlayerAgainstHidingSpots(*player);
    Gather(Scratch());
    if (player && player->active && BodyOf(*player)) any = PlayerAgainstGameplay(*player) || any;
    return GameplayPairs() || any;
}

bool PhysicsManager::Overlap(const Body& a, const Body& b)
{
    PassScratch& s = Scratch();
    Transform* ta = a.OwnerTransform();
    Transform* tb = b.OwnerTransform();
    if (!ta || !tb) return false;
    BuildWorldShape(a, *ta, s.overlapA);
    BuildWorldShape(b, *tb, s.overlapB);
    return ShapesTouch(s.overlapA, s.overlapB);
}
