// MovingFloor: a platform that moves along a line for a while, stops, then moves back, carrying
// the player standing on it and pushing the player out of its sides and underside.
#pragma once

#include <cstdint>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class MovingFloor final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompMovingFloor;

    explicit MovingFloor(GameObject* owner) : Component(owner, kCompMovingFloor) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    Component* CopyFrom(const Component* other) override;
    void DrawEditor() override;
    bool Deserialize(const JsonView& value) override;
    // Back to the start point and the initial state (event 13, the editor's apply button).
    void Restart();

    glm::vec3 startPosition{0.0f};
    uint32_t moveTime = 1500;
    uint32_t stayTime = 1000;
    uint32_t timer = 750;
    float moveSpeed = 0.0001f;
    glm::vec2 velocity{0.0f};
    bool carrying = false;
    float sign = 1.0f;
    int direction = 0;
    int initialState = 1;
    int state = 1;

  private:
    void ComputeVelocity();
    void Carry(float dx, float dy);
    void SettleRider();
    void CollidePlayer(GameObject& player);

    // The editor panel's copies, applied only by its last button.
    struct Edit
    {
        float moveSpeed = 0.0f;
        int stayTime = 0, moveTime = 0, timer = 0, initialState = 1, direction = 0;
        float startX = 0.0f, startY = 0.0f;
        bool loaded = false;
    } edit_;
};
