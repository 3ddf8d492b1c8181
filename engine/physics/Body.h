// Body: mass, velocity, a collision shape and optional gravity, stepped once per frame.
#pragma once

#include <vector>

#include <glm/vec2.hpp>

#include "engine/objects/Component.h"

class Body : public Component
{
  public:
    explicit Body(GameObject* owner) : Component(owner, kCompBody) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    bool Deserialize(const JsonView& value) override;

    glm::vec2 velocity{0.0f};
    glm::vec2 acceleration{0.0f};
    glm::vec2 totalForce{0.0f};
    float mass = 0.0f;
    float inverseMass = 1.0f;
    float timeStep = 0.0f;
    float radius = 0.0f;
    float spin = 0.0f;
    float bounce = 0.0f;
    std::vector<glm::vec2> vertices;
    bool gravity = false;
};
