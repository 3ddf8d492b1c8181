// Transform: an object's place in the world (y up, one map tile per unit).
#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "engine/objects/Component.h"

class Transform final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompTransform;

    explicit Transform(GameObject* owner) : Component(owner, kCompTransform) {}

    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    Component* CopyFrom(const Component* other) override;
    void DrawEditor() override;
    bool Deserialize(const JsonView& value) override;

    // translation * rotation(z) * scale. Flattens position z to 0 first: everything is drawn in
    // the z = 0 plane whatever the archetype said.
    void BuildModelMatrix(glm::mat4& out);

    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f, 1.0f, 1.0f};
    float rotation = 0.0f;
};
