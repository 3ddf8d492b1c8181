// SecurityCamNode: the camera body on the wall. It builds its light cone from "CameraFOV.json",
// catches EMPs that touch it, and blacks the cone out for a while, shaking until it comes back.
#pragma once

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "engine/objects/ObjectRef.h"
#include "game/GameNames.h"

class SecurityCamNode final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompSecurityCamNode;
    static constexpr const char* kConeArchetype = "CameraFOV.json";

    explicit SecurityCamNode(GameObject* owner) : Component(owner, kCompSecurityCamNode) {}
    // The cone made with the camera goes with it (a camera deleted in the editor, or undone).
    ~SecurityCamNode() override;

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    // Draws nothing: keeps the cone on a body the editor has dragged.
    void DrawEditor() override;
    void WriteState(JsonWriter& w) const override;

    GameObject* ConeObject() const { return Cone.Get(); }

    ObjectRef Cone;
    ObjectRef StuckEmp;
    float BlackoutTimer = 0.0f;
    bool FirstFrame = true;
    bool Idle = true;
    glm::vec3 HomePosition{0.0f};

  private:
    void EndBlackout();
};
