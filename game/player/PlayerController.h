// PlayerController: input to motion and actions: walk, jump, crawl, aim, throw, pose, counters.
//
// Input comes from the keyboard and mouse, a game controller, or a playback of recorded input;
// all three are reduced to one PlayerIntent per frame (PlayerIntent.h) and acted on the same way.
#pragma once

#include <cstdint>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class Body;
class Player;
class RecordAndPlay;
class Sprite;
class Transform;
struct PlayerIntent;

struct Rgba
{
    uint8_t r, g, b, a;
};

// Pose numbers: the sprite slot and animation of each look.
enum PlayerPose
{
    kPoseStanding = 0,
    kPoseWalking = 1,
    kPoseCrawlMoving = 3,
    kPoseCrawlResting = 4,
    kPoseInAir = 5,
};

// Transform scales written with the poses. The crawl is one tile tall so that a one-tile tunnel
// needs it: the map pass probes a box's sides at +-3h/8, so a taller crawler would not fit a
// one-tile gap, and a two-tile gap already lets a stander through.
constexpr glm::vec3 kStandScale{1.5f, 2.0f, 1.0f};
constexpr glm::vec3 kCrawlMoveScale{2.0f, 1.0f, 1.0f};
constexpr glm::vec3 kCrawlRestScale{1.5f, 1.0f, 1.0f};

class PlayerController final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompPlayerController;

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

  private:
    // The owner's parts, looked up once per frame; any may be missing.
    struct Parts
    {
        Transform* transform = nullptr;
        Body* body = nullptr;
        Sprite* sprite = nullptr;
        RecordAndPlay* record = nullptr;
    };

    Parts FindParts() const;
    Sprite* AimSprite() const;
    void PlaceAimBox(const Parts& parts, const PlayerIntent& intent);
    void Act(const Parts& parts, const PlayerIntent& intent, Player* player);
    void Move(const Parts& parts, int direction, bool hidden);
    void ToggleCrawl(const Parts& parts);
    bool CanStandUp(const Parts& parts) const;
    void StopMoving(const Parts& parts, bool bothHeld);
    void Throw(const Parts& parts, const PlayerIntent& intent, bool ball, bool hidden);
    void Jump(const Parts& parts, bool withSound);
    void DeveloperKeys(Player* player);
    void PoseFromContact(const Parts& parts, bool moveHeld);
    void ApplyPose(const Parts& parts);
    void SetPose(int pose);
    void SetPose(const Parts& parts, int pose);
    void TickCounters();
    void DrawCounters() const;

    uint32_t aimBoxId_ = 0; // the aim box's id when it was made: its slot may be reused later
};
