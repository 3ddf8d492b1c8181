// GuardLogic: a guard patrolling its platform, turning at walls and edges, growing suspicious
// as the player's meter rises, chasing when alarmed, and held for a while by a capture ball.
// Its vision is a separate cone object (GuardFOV) that the guard carries in front of itself.
#pragma once

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "engine/objects/ObjectRef.h"
#include "game/GameNames.h"

class GuardLogic final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompGuardLogic;
    static constexpr const char* kConeArchetype = "GuardFOV.json";

    explicit GuardLogic(GameObject* owner);
    // The cone made with the guard goes with it (a guard deleted in the editor, or undone).
    ~GuardLogic() override;

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject* other) override;
    void WriteState(JsonWriter& w) const override;
    void DrawEditor() override;

    // The cone object while it lives (nullptr when the level had no room or no archetype).
    GameObject* Cone() const { return FovObject.Get(); }

    int Direction = 1;
    float Heading = 1.0f;
    float Speed = 0.05f;
    float FovOffset = 2.4f;
    float CaptureTimer = 0.0f;
    bool Noticed = false;
    bool Walking = true;
    bool Captured = false;
    bool Escaping = false;
    bool BeingCaptured = false;
    glm::vec3 HomeScale{1.0f};
    glm::vec3 CapturePosition{0.0f};
    glm::vec3 BallPosition{0.0f};
    int PauseTimer = 0;
    ObjectRef FovObject;
    ObjectRef Ball;

  private:
    void Capture(GameObject& ball);
    void UpdateBeingCaptured();
    void UpdateEscaping();
    void UpdatePatrol();
    void React(const class Player& player);
    void Chase(float playerX);
    void CheckEdges();
    void StandAndFace(int side);
    void WalkOn();
    void PlaceCone();
    void SetLook(int slot, bool mirrored, bool resetTimer = true);
    void ShowCone(bool shown);
};
