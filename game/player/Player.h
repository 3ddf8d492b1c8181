// Player: the player's standing in the level: lives, detection meter, checkpoint, hiding.
#pragma once

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

enum PlayerState
{
    kPlayerDying = 0,
    kPlayerPlaying = 1,
    kPlayerHidden = 2,
};

class Player final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompPlayer;

    explicit Player(GameObject* owner) : Component(owner, kCompPlayer) {}

    void Update() override;
    // The ending's closing light (spotLight): shrinks the light around the player and ends the
    // level once it is small.
    void CloseLight();
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;

    bool StopOnLanding = false;
    bool Hidden = false;
    int LightofTime = 1000;
    int RespawnTimer = 0;
    float Meter = 0.0f;
    bool Caught = false;
    bool Alarmed = false;
    int Life = 3;
    bool spotLight = false;
    glm::vec3 CheckPointPosition{2.0f, 2.0f, 0.0f};
    int State = kPlayerPlaying;
    bool SafeZone = false;
    bool godMode = false;

  private:
    void Die();
    void Respawn();
    void TouchCharger(const GameObject& charger, int event);
    void TakeUpgrade(GameObject& upgrade);
};

// Where the dying player's spin, fade and shrink start, in milliseconds.
constexpr int kRespawnMs = 1500;
