// Immediate and timed events: pools, consumption, timing, level changes.
#include <gtest/gtest.h>

#include "engine/core/EventManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"

namespace
{
class Listener : public Component
{
  public:
    explicit Listener(GameObject* owner) : Component(owner, 99) {}
    void HandleEvent(Event* e) override
    {
        if (e->type != 0) seen.push_back(e->type);
    }
    void OnCollision(GameObject*) override {}
    std::vector<int> seen;
};

Listener* Listen(GameObject* obj)
{
    auto* l = new Listener(obj);
    obj->AddComponent(l);
    return l;
}
} // namespace

TEST(Events, ThePoolHoldsAThousandAndDropsTheRest)
{
    Listener* l = Listen(GameObjectManager::Get().SpawnObject());
    EventManager& events = EventManager::Get();
    for (int i = 0; i < 1000; ++i) events.PostEvent(kEventLevelEnd);
    events.PostEvent(kEventDialogOpen); // the 1001st is lost
    events.Update();
    EXPECT_EQ(l->seen.size(), 1000u);
    EXPECT_EQ(std::count(l->seen.begin(), l->seen.end(), kEventDialogOpen), 0);
    events.Update();
    EXPECT_EQ(l->seen.size(), 1000u); // delivered once
}

TEST(Events, CameraSwitchIsConsumedByTheFirstTransform)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* a = m.SpawnObject();
    Listener* before = Listen(a);
    a->AddComponent(new Transform(a));
    Listener* after = Listen(a);
    Listener* other = Listen(m.SpawnObject());
    EventManager::Get().PostEvent(kEventCameraSwitched);
    EventManager::Get().Update();
    EXPECT_EQ(before->seen.size(), 1u);
    EXPECT_TRUE(after->seen.empty());
    EXPECT_TRUE(other->seen.empty());
}

TEST(Events, TimedEventsFireAfterFloorDelayOver16PlusOneFrames)
{
    GameObject* obj = GameObjectManager::Get().SpawnObject();
    Listener* l = Listen(obj);
    EventManager& events = EventManager::Get();
    events.PostTimedEvent(kEventGuardBreakOut, 1000.0f, obj);
    int frames = 0;
    while (l->seen.empty() && frames < 200)
    {
        events.Update();
        ++frames;
    }
    EXPECT_EQ(frames, 63);
    events.PostTimedEvent(kEventGuardBreakOut, 0.0f, obj);
    events.Update();
    EXPECT_EQ(l->seen.size(), 2u); // 0 ms fires on the first update
}

TEST(Events, TargetlessTimedEventIsBroadcastNextFrame)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* target = m.SpawnObject();
    Listener* a = Listen(target);
    Listener* b = Listen(m.SpawnObject());
    EventManager& events = EventManager::Get();
    events.PostTimedEvent(kEventGuardBreakOut, 0.0f, target); // uses entry 0, with a target
    events.Update();
    EXPECT_EQ(a->seen.size(), 1u);
    EXPECT_TRUE(b->seen.empty());
    events.PostTimedEvent(kEventControlsEnabled, 0.0f); // reuses entry 0 without a target
    events.Update();                                    // fires: re-posted as immediate
    EXPECT_TRUE(b->seen.empty());
    events.Update();
    ASSERT_EQ(b->seen.size(), 1u);
    EXPECT_EQ(b->seen[0], kEventControlsEnabled);
}

TEST(Events, ClearAllDropsPendingEvents)
{
    Listener* l = Listen(GameObjectManager::Get().SpawnObject());
    EventManager& events = EventManager::Get();
    events.PostEvent(kEventLevelEnd);
    events.PostTimedEvent(kEventControlsEnabled, 100.0f);
    events.ClearAll();
    for (int i = 0; i < 20; ++i) events.Update();
    EXPECT_TRUE(l->seen.empty());
}

TEST(Events, ADestroyedTargetHearsNothing)
{
    GameObjectManager& m = GameObjectManager::Get();
    GameObject* obj = m.SpawnObject();
    Listen(obj);
    EventManager::Get().PostTimedEvent(kEventGuardBreakOut, 0.0f, obj);
    m.DestroyObject(obj);
    m.CollectGarbage();
    EventManager::Get().Update(); // the slot has no components left: nobody hears it
    EXPECT_TRUE(obj->components.empty());
}
