// Robot: a cleaning machine shuttling between two points on its floor. It never raises the
// meter; it flicks a player hiding in a can out into the open, buzzes while the player is
// near, and stands still for a moment after each flick.
#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class Robot final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompRobot;

    explicit Robot(GameObject* owner) : Component(owner, kCompRobot) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    void DrawEditor() override;
    bool Deserialize(const JsonView& value) override;
    void WriteState(JsonWriter& w) const override;

    bool SoundOn = false;
    float Heading = 1.0f;
    int SoundTimer = 0;
    float Speed = 3.0f;
    float PauseTime = 1000.0f;
    float PauseTimer = 0.0f;
    bool Moving = true;
    bool GoingBack = false;
    int SoundChannel = -1;
    glm::vec3 Destination{0.0f};
    glm::vec3 EndPos{0.0f};
    glm::vec3 StartPos{0.0f};
    glm::vec2 FlickSpeed{2.0f, 2.0f};
    // A flick of this robot waits for its pause event; other robots' pauses are not ours.
    bool FlickPending = false;

  private:
    void Flick(GameObject& player);
    void Buzz();
    void Drive();
    void SetLook(int slot);
};
