// RecordAndPlay: records the player's keys and mouse into record files and plays record files
// back, in play-list order, for cutscenes. While a playback runs, the player controller reads
// the playback state below instead of the live input.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"
#include "game/story/RecordFile.h"

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

// Mouse button bits of recordings and of the playback state.
enum RecordMouse : uint32_t
{
    kMouseLeft = 0x1,
    kMouseRight = 0x2,
};

class RecordAndPlay final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompRecordAndPlay;

    explicit RecordAndPlay(GameObject* owner);
    // A recording still running (level change, restart, quit) is stopped and its file written.
    ~RecordAndPlay() override;

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;

    bool IsPlaying() const { return playing; }
    void StartRecording();
    void StopRecording();
    // Plays the next play-list file; false when the list is used up or the file is refused.
    bool StartPlaying();
    // The file the running (or last) recording goes to.
    const std::string& RecordPath() const { return recordPath_; }

    bool recording = false;
    bool playing = false;
    bool endJump = false;
    bool jump = false;
    uint32_t playIndex = 0;
    uint32_t recordTime = 0;
    uint32_t playTime = 0;
    std::vector<RecordEntry> entries;
    std::vector<std::string> playList;
    uint32_t nextPlay = 1;
    uint32_t nextRecord = 1;
    uint32_t pressedKeys = 0, releasedKeys = 0, heldKeys = 0, mouseButtons = 0;
    glm::vec3 aimPoint{0.0f};

  private:
    void PlayStep();
    void SkipCheck();
    void RecordStep();

    bool recordRead_ = false; // "Record" as read: what a save writes back
    std::string recordPath_;
    std::unique_ptr<RecordWriter> writer_;
};
