// Body: mass, velocity, a collision shape and optional gravity, stepped once per frame.
//
// Behaviour components steer a body by writing velocity, totalForce or the flags directly; the
// map pass is the only thing that pushes a body out of contact.
#pragma once

#include <iosfwd>
#include <vector>

#include <glm/vec2.hpp>

#include "engine/objects/Component.h"

class Transform;

class Body final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompBody;

    explicit Body(GameObject* owner) : Component(owner, kCompBody) {}

    // One fixed step: force to acceleration (plus gravity), velocity, position, spin.
    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    // Body settings are tuned in archetypes, not saved with a level.
    bool Serialize(JsonWriter&) const override { return true; }
    bool Deserialize(const JsonView& value) override;
    // Reads "Velocity x y", "Acceleration x y", "Total x y", "Mass m", "Radius r" words.
    bool ReadText(std::istream& in);

    // The owner's first Transform, or nullptr.
    Transform* OwnerTransform() const;

    glm::vec2 velocity{0.0f};
    glm::vec2 acceleration{0.0f};
    glm::vec2 totalForce{0.0f};
    float mass = 0.0f;
    float inverseMass = 1.0f;
    float timeStep = 0.0f;
    float radius = 0.0f;
    float spin = 0.0f;
    float bounce = 0.0f;
    // Local outline, in order; the first vertex's x is the half-width the map pass uses.
    std::vector<glm::vec2> vertices;
    bool gravity = false;

  private:
    void ReadVertices(const JsonView& list);

    // Found once: components leave an object only all together, with this body.
    mutable Transform* transform_ = nullptr;
};

// Gravity's pull in units per second squared.
constexpr float kGravity = 20.0f;
// Horizontal displacement kept per frame: a little drag on running and sliding.
constexpr double kHorizontalKeep = 0.99;
