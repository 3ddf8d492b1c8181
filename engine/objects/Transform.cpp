#include "engine/objects/Transform.h"

#include <cmath>

#include "engine/core/EventManager.h"
#include "engine/objects/EditorPanel.h"

void Transform::HandleEvent(Event* event)
{
    // The editor's camera switch is meant for the first transform only.
    if (event->type == kEventCameraSwitched)
    {
        event->inUse = false;
        event->type = 0;
    }
}

bool Transform::Serialize(JsonWriter& writer) const
{
    writer.Key("Transform");
    writer.StartObject();
    WriteNumbers(writer, "Position", &position.x, 3);
    WriteNumbers(writer, "Scale", &scale.x, 2);
    writer.Key("Rotation");
    writer.Double(rotation);
    writer.EndObject();
    return true;
}

Component* Transform::CopyFrom(const Component* other)
{
    const auto* t = dynamic_cast<const Transform*>(other);
    if (!t || t == this) return this;
    position = t->position;
    scale = t->scale;
    rotation = t->rotation;
    return this;
}

void Transform::DrawEditor()
{
    Panel().Begin("Transform", 100, 100);
    Panel().SliderFloat("Rotation Angle", &rotation, 0.0f, 8.0f);
    Panel().SliderFloat("Scale X", &scale.x, 0.0f, 50.0f);
    Panel().SliderFloat("Scale Y", &scale.y, 0.0f, 50.0f);
    Panel().InputFloat("Position X", &position.x, 0.1f, "%f");
    Panel().InputFloat("Position Y", &position.y, 0.1f, "%f");
    Panel().End();
}

bool Transform::Deserialize(const JsonView& value)
{
    float p[3];
    if (value.ReadFloats("Position", p, 3)) position = glm::vec3(p[0], p[1], p[2]);
    float s[2];
    if (value.ReadFloats("Scale", s, 2))
    {
        scale.x = s[0];
        scale.y = s[1];
    }
    value.Read("Rotation", rotation);
    return true;
}

void Transform::BuildModelMatrix(glm::mat4& out)
{
    position.z = 0.0f;
    // translation * rotation(z) * scale written out: thousands of tiles per frame, nearly all
    // unrotated, so the trigonometry is skipped when it would give 1 and 0.
    float c = 1.0f, s = 0.0f;
    if (rotation != 0.0f)
    {
        c = std::cos(rotation);
        s = std::sin(rotation);
    }
    out = glm::mat4(0.0f);
    out[0][0] = c * scale.x;
    out[0][1] = s * scale.x;
    out[1][0] = -s * scale.y;
    out[1][1] = c * scale.y;
    out[2][2] = scale.z;
    out[3][0] = position.x;
    out[3][1] = position.y;
    out[3][3] = 1.0f;
}
