#include "engine/core/EventManager.h"

#include <cstdio>

#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/objects/GameObjectManager.h"

EventManager& EventManager::Get()
{
    static EventManager instance;
    return instance;
}

void EventManager::PostEvent(int type)
{
    for (Event& e : events)
    {
        if (e.inUse) continue;
        e.inUse = true;
        e.type = type;
        return;
    }
}

void EventManager::PostTimedEvent(int type, float delayMs, GameObject* target)
{
    for (TimedEvent& e : timedEvents)
    {
        if (e.inUse) continue;
        e.inUse = true;
        e.type = type;
        e.delayMs = delayMs;
        e.target = target;
        return;
    }
}

void EventManager::Update()
{
    GameObjectManager& objects = GameObjectManager::Get();
    for (Event& e : events)
    {
        if (e.inUse) objects.Broadcast(&e);
        e.inUse = false;
    }
    for (TimedEvent& e : timedEvents)
        if (e.inUse) e.Tick();
}

void EventManager::ClearAll()
{
    for (Event& e : events) e.inUse = false;
    for (TimedEvent& e : timedEvents) e.inUse = false;
}

void TimedEvent::Tick()
{
    delayMs -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
    if (delayMs >= 0.0f) return;
    inUse = false;
    if (!target)
    {
        LogPrintf("THE TARGET IS NULL\n");
        EventManager::Get().PostEvent(type);
        return;
    }
    GameObject* obj = target;
    for (size_t i = 0; i < obj->components.size(); ++i) obj->components[i]->HandleEvent(this);
}
