// The object pools: claiming, ids, destruction (immediate, queued, from inside a component),
// per-layer update and pause.
#include <gtest/gtest.h>

#include "engine/core/EventManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"

namespace
{
// Counts its updates and events; can destroy its own object from inside Update.
class Probe : public Component
{
  public:
    explicit Probe(GameObject* owner) : Component(owner, 99) {}
    void Update() override
    {
        ++updates;
        if (destroySelf) GameObjectManager::Get().DestroyObject(owner);
        if (queueSelf) GameObjectManager::Get().QueueDestroy(owner);
    }
    void HandleEvent(Event* e) override { lastEvent = e->type, ++events; }
    void OnCollision(GameObject*) override {}
    int updates = 0, events = 0, lastEvent = 0;
    bool destroySelf = false, queueSelf = false;
};

Probe* AddProbe(GameObject* obj)
{
    auto* p = new Probe(obj);
    obj->AddComponent(p);
    return p;
}
} // namespace

TEST(ObjectPool, LayersAreFixedAndAPoolCanFill)
{
    GameObjectManager& m = GameObjectManager::Get();
    int total = 0;
    for (int l = 0; l < kLayerCount; ++l) total += static_cast<int>(m.layers[l].size());
    EXPECT_EQ(total, 3321);
    for (int i = 0; i < 200; ++i) ASSERT_NE(m.SpawnObject(), nullptr);
    EXPECT_EQ(m.SpawnObject(), nullptr);
    EXPECT_EQ(m.liveCounts[kLayerGameplay], 200);
    EXPECT_EQ(m.CreateObject(kTypeGuard), nullptr); // guards live in layer 5 too
}

TEST(ObjectPool, TypesGoToTheirLayers)
{
    GameObjectManager& m = GameObjectManager::Get();
    EXPECT_EQ(m.CreateObject(kTypeMap)->layer, kLayerMap);
    EXPECT_EQ(m.CreateObject(kTypePlayer), m.playerSlot);
    EXPECT_EQ(m.CreateObject(kTypePlayer), nullptr); // one player slot
    EXPECT_EQ(m.CreateObject(kTypePokeBall)->layer, kLayerBackground);
    EXPECT_EQ(m.CreateObject(kTypeMenu)->layer, kLayerMenu);
    EXPECT_EQ(m.CreateObject(kTypeCurtain)->layer, kLayerCurtain);
    EXPECT_EQ(m.CreateObject(999)->layer, kLayerBackground); // out of the table: layer 0
}

TEST(ObjectPool, IdsGrowAndLowestFreeSlotIsReused)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    GameObject* b = m.SpawnObject();
    GameObject* c = m.SpawnObject();
    EXPECT_EQ(a->id, 1u);
    EXPECT_EQ(c->id, 3u);
    m.DestroyObject(b);
    EXPECT_FALSE(b->active);
    EXPECT_EQ(b->id, 0u);
    EXPECT_EQ(m.liveCounts[kLayerGameplay], 2);
    GameObject* d = m.SpawnObject();
    EXPECT_EQ(d, b);
    EXPECT_EQ(d->id, 4u);
    EXPECT_EQ(m.SpawnObject(), c + 1);
    m.DestroyAllObjects();
    EXPECT_EQ(m.liveCounts[kLayerGameplay], 0);
    EXPECT_EQ(m.SpawnObject()->id, 1u);
}

TEST(ObjectPool, FindAndDestroyIgnoreDeadObjects)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    uint32_t id = a->id;
    EXPECT_EQ(m.FindObject(id), a);
    m.DestroyObject(a);
    EXPECT_EQ(m.FindObject(id), nullptr);
    m.DestroyObject(a); // already dead: nothing, and the count stays right
    EXPECT_EQ(m.liveCounts[kLayerGameplay], 0);
    m.DestroyObject(nullptr);
}

TEST(ObjectPool, QueuedTwiceIsDestroyedOnce)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    m.SpawnObject();
    m.QueueDestroy(a);
    m.QueueDestroy(a);
    m.ProcessDestroyQueue();
    EXPECT_EQ(m.liveCounts[kLayerGameplay], 1);
    EXPECT_TRUE(m.destroyQueue.empty());
}

TEST(ObjectPool, AComponentMayDestroyItsOwnObjectDuringUpdate)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    Probe* p = AddProbe(a);
    p->destroySelf = true;
    GameObject* b = m.SpawnObject();
    Probe* q = AddProbe(b);
    m.UpdateAll(); // must not touch freed memory (the sanitizer build checks)
    EXPECT_FALSE(a->active);
    EXPECT_EQ(q->updates, 1);
    m.ProcessDestroyQueue();
}

TEST(ObjectPool, QueuedObjectStillHearsThatFramesEvents)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    Probe* p = AddProbe(a);
    p->queueSelf = true;
    EventManager::Get().PostEvent(kEventLevelEnd);
    m.UpdateAll();
    EventManager::Get().Update();
    EXPECT_EQ(p->lastEvent, kEventLevelEnd);
    m.ProcessDestroyQueue();
    EXPECT_FALSE(a->active);
}

TEST(ObjectPool, PauseFreezesEverythingButMenus)
{
    GameObjectManager& m = GameObjectManager::Get();
    Probe* gameplay = AddProbe(m.SpawnObject());
    Probe* menu = AddProbe(m.CreateObject(kTypeMenu));
    Probe* tile = AddProbe(m.CreateObject(kTypeMap));
    m.UpdateAll();
    EXPECT_EQ(gameplay->updates, 1);
    EXPECT_EQ(menu->updates, 0); // menus update only while paused
    EXPECT_EQ(tile->updates, 0); // map tiles never update
    m.TogglePause();
    m.UpdateAll();
    EXPECT_EQ(gameplay->updates, 1);
    EXPECT_EQ(menu->updates, 1);
    m.TogglePause();
    EXPECT_FALSE(m.paused);
}

TEST(ObjectPool, LoopsStopAtTheLiveCount)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    Probe* first = AddProbe(a);
    Probe* second = AddProbe(m.SpawnObject());
    // A component that frees its slot by clearing the flag leaves the count one too high;
    // the walk then visits more slots, never fewer.
    m.liveCounts[kLayerGameplay] = 1;
    m.UpdateAll();
    EXPECT_EQ(first->updates, 1);
    EXPECT_EQ(second->updates, 0);
}
