// EventManager: numbered events between components, in two fixed pools of 1000.
//
// Posting claims a free entry and delivery frees it, so events never allocate. Immediate events
// are broadcast to every component of every active object once per frame; timed events count
// down by the fixed frame step and then go to one object, or to everyone when they have none.
#pragma once

#include <array>

class GameObject;

enum EventType
{
    kEventCameraSwitched = 3,
    kEventHide = 4,
    kEventUnhide = 5,
    kEventGuardBreakOut = 9,
    kEventLevelEnd = 11,
    kEventRestartLevel = 12,
    kEventResetToInitial = 13,
    kEventLifeLost = 14,
    kEventStartPlayback = 15,
    kEventDialogOpen = 16,
    kEventDialogEnded = 17,
    kEventEmpPickedUp = 18,
    kEventBallPickedUp = 19,
    kEventControlsEnabled = 22,
    kEventRobotSignal = 23,
    kEventControlsDisabled = 24,
    kEventBossVision = 26,
    kEventShowTwoLives = 27,
    kEventShowOneLife = 28,
};

class Event
{
  public:
    virtual ~Event() = default;
    virtual void Tick() {}

    bool inUse = false;
    int type = 0;
};

class TimedEvent : public Event
{
  public:
    void Tick() override;

    float delayMs = 0.0f;
    GameObject* target = nullptr;
};

class EventManager
{
  public:
    static constexpr int kPoolSize = 1000;
    static EventManager& Get();

    void PostEvent(int type);
    void PostTimedEvent(int type, float delayMs, GameObject* target = nullptr);
    void Update();
    void ClearAll();

    std::array<Event, kPoolSize> events;
    std::array<TimedEvent, kPoolSize> timedEvents;

  private:
    EventManager() = default;
};
