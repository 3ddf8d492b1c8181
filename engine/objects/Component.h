// Component: the base of every piece of behaviour. A game object is only a list of these.
#pragma once

#include "engine/data/Json.h"

class Event;
class GameObject;

// Component type numbers, as stored in typeNumber. HUD and TimedText share 6.
enum ComponentType
{
    kCompSprite = 0,
    kCompTransform = 1,
    kCompPlayerController = 2,
    kCompSecurityCamera = 3,
    kCompBody = 4,
    kCompPlayer = 5,
    kCompHud = 6,
    kCompTimedText = 6,
    kCompHealthBar = 7,
    kCompStaminaBar = 8,
    kCompGuardLogic = 9,
    kCompGuardFov = 10,
    kCompPokeBall = 11,
    kCompButtonList = 12,
    kCompMovingFloor = 13,
    kCompEmp = 14,
    kCompSecurityCamNode = 15,
    kCompNextLevelJumper = 16,
    kCompCheckPoint = 17,
    kCompDialogBox = 18,
    kCompDialogTrigger = 19,
    kCompCurtain = 20,
    kCompMainMenu = 21,
    kCompRecordAndPlay = 22,
    kCompTrashCan = 23,
    kCompCharger = 24,
    kCompMenuJumper = 25,
    kCompRobot = 26,
    kCompBossFov = 27,
    kCompBoss = 28,
    kCompZentoTech = 29,
};

class Component
{
  public:
    Component(GameObject* owner, int typeNumber) : owner(owner), typeNumber(typeNumber) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    virtual void Update() {}
    virtual bool Initialize(int) { return true; }
    virtual void HandleEvent(Event* event) = 0;
    virtual void OnCollision(GameObject* other) = 0;
    // Writes the component's level-file section ("Key": {...}); writing nothing is fine.
    virtual bool Serialize(JsonWriter&) const { return true; }
    // Copies state from another component of the same class; does nothing otherwise.
    virtual Component* CopyFrom(const Component*) { return this; }
    virtual void DrawEditor() {}
    virtual bool Deserialize(const JsonView&) { return true; }
    // Writes run-time state that a save does not hold into the dump's "State" object (keys
    // only; outside checks read them, so names stay stable).
    virtual void WriteState(JsonWriter&) const {}

    GameObject* owner;
    int typeNumber;
};
