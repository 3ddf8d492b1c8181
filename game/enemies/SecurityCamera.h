// SecurityCamera: the sweeping light cone of a security camera. Its settings arrive through the
// camera body's node (SecurityCamNode), not from its own archetype section.
#pragma once

#include "engine/objects/Component.h"
#include "engine/objects/ObjectRef.h"
#include "game/GameNames.h"

class SecurityCamera final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompSecurityCamera;

    explicit SecurityCamera(GameObject* owner) : Component(owner, kCompSecurityCamera) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    Component* CopyFrom(const Component* other) override;
    void DrawEditor() override;
    void WriteState(JsonWriter& w) const override;

    // The "SecurityCamera" keys of a level's "Camera" section; missing keys keep their values.
    void ReadSettings(const JsonView& value);
    void WriteSettings(JsonWriter& writer) const;
    // Back to the middle of a sweep at the start angle.
    void Restart();

    int Timer = 250;
    int SweepSign = 1;
    float DefaultAngle = 0.0f;
    float AngleSpeed = 3.0f;
    int IdleTime = 300;
    int SearchTime = 500;
    int Sweeping = 1;
    ObjectRef Node;
};
