// PlayerController: input to motion and actions: walk, jump, crawl, aim, throw, pose, counters.
#pragma once

#include <cstdint>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"

struct Rgba
{
    uint8_t r, g, b, a;
};

class PlayerController : public Component
{
  public:
    explicit PlayerController(GameObject* owner);

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    // Back to standing (hiding, leaving a hiding place, respawning).
    void Reset();

    bool Crawling = false;
    bool StopLatched = false;
    bool Frozen = false;
    bool ControlsEnabled = true;
    bool PoseChanged = false;
    int CurrentPose = 0;
    int PreviousPose = 0;
    int Facing = 1;
    int EmpCount = 0;
    int BallCount = 0;
    glm::vec3 EmpCounterScale{0.07f, 0.07f, 1.0f};
    glm::vec3 BallCounterScale{0.07f, 0.07f, 1.0f};
    glm::vec3 DefaultCounterScale{0.07f, 0.07f, 1.0f};
    float EmpPopTimer = 0.0f, BallPopTimer = 0.0f;
    Rgba DefaultCounterColour{220, 220, 220, 0};
    Rgba EmptyCounterColour{220, 0, 0, 0};
    float EmpFailTimer = 0.0f, BallFailTimer = 0.0f;
    Rgba EmpCounterColour{220, 220, 220, 0};
    Rgba BallCounterColour{220, 220, 220, 0};
    GameObject* AimBox = nullptr;
};
