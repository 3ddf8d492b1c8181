// Component: the base of every piece of behaviour. A game object is only a list of these.
#pragma once

#include "engine/data/Json.h"

class Event;
class GameObject;

// The engine's own component type numbers; the game numbers its components (game/GameNames.h)
// and registers them with their section keys (RegisterGame).
enum EngineComponentType
{
    kCompSprite = 0,
    kCompTransform = 1,
    kCompBody = 4,
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
