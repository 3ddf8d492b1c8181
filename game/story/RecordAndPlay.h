// RecordAndPlay: records the player's input to files and plays it back for cutscenes. Until
// playback lands this holds only the playback state the player controller reads.
#pragma once

#include <cstdint>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"

// Key mask bits of recordings and of the playback state.
enum RecordKey : uint32_t
{
    kRecA = 0x1,
    kRecS = 0x2,
    kRecD = 0x4,
    kRecW = 0x8,
    kRecF = 0x10,
    kRecR = 0x20,
    kRecSpace = 0x40,
    kRecLeftCtrl = 0x80,
    kRecLeftShift = 0x100,
};

class RecordAndPlay final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompRecordAndPlay;

    explicit RecordAndPlay(GameObject* owner) : Component(owner, kCompRecordAndPlay) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}

    bool IsPlaying() const { return playing; }

    bool recording = false;
    bool playing = false;
    uint32_t pressedKeys = 0, releasedKeys = 0, heldKeys = 0, mouseButtons = 0;
    glm::vec3 aimPoint{0.0f};
};
