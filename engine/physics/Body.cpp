#include "engine/physics/Body.h"

#include <cmath>
#include <istream>
#include <string>

#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/Transform.h"

Transform* Body::OwnerTransform() const
{
    if (transform_ || !owner) return transform_;
    for (const auto& c : owner->components)
        if (c->typeNumber == kCompTransform)
            if ((transform_ = dynamic_cast<Transform*>(c.get()))) return transform_;
    return nullptr;
}

void Body::Update()
{
    Transform* t = OwnerTransform();
    // Nothing to move: a body without a place stays as it is, force and all.
    if (!t) return;
    timeStep = static_cast<float>(FrameRateController::Get().frameBudgetMs) / 1000.0f;
    acceleration = totalForce * inverseMass;
    if (gravity) acceleration.y -= kGravity;
    velocity += acceleration * timeStep;
    t->position.x = static_cast<float>(
        t->position.x + kHorizontalKeep * static_cast<double>(velocity.x * timeStep));
    t->position.y += velocity.y * timeStep;
    // Remainder, not wrap: a negative angle stays negative.
    t->rotation =
        static_cast<float>(std::fmod(static_cast<double>(t->rotation + spin * timeStep), 6.28));
    totalForce = glm::vec2(0.0f);
}

void Body::ReadVertices(const JsonView& list)
{
    if (!list.IsArray() || list.Size() == 0 || !list.At(0).IsNumber())
    {
        list.Warn("expected [count, x1, y1, x2, y2, ...]; no vertices read");
        return;
    }
    int declared = list.At(0).AsInt(0);
    if (declared < 0)
    {
        list.Warn("negative vertex count; no vertices read");
        return;
    }
    size_t present = (list.Size() - 1) / 2;
    size_t count = static_cast<size_t>(declared);
    if (present < count)
    {
        list.Warn(("declares " + std::to_string(declared) + " vertices but holds " +
                   std::to_string(present) + "; reading those")
                      .c_str());
        count = present;
    }
    for (size_t i = 0; i < count; ++i)
    {
        JsonView x = list.At(1 + 2 * i), y = list.At(2 + 2 * i);
        if (!x.IsNumber() || !y.IsNumber())
        {
            list.Warn("a coordinate is not a number; the vertices before it are kept");
            return;
        }
        vertices.emplace_back(x.AsFloat(0.0f), y.AsFloat(0.0f));
    }
}

bool Body::Deserialize(const JsonView& value)
{
    float v[2];
    if (value.ReadFloats("Velocity", v, 2)) velocity = glm::vec2(v[0], v[1]);
    if (value.ReadFloats("Acceleration", v, 2)) acceleration = glm::vec2(v[0], v[1]);
    if (value.ReadFloats("Total", v, 2)) totalForce = glm::vec2(v[0], v[1]);
    JsonView g = value["Gravity"];
    if (g.Valid())
    {
        if (!g.IsBool()) g.Warn("expected true or false; gravity off");
        gravity = g.IsBool() && g.AsBool(false);
    }
    if (value.Read("Mass", mass) && mass != 0.0f) inverseMass = 1.0f / mass;
    JsonView list = value["Vertices"];
    if (list.Valid()) ReadVertices(list);
    value.Read("Radius", radius);
    return true;
}

bool Body::ReadText(std::istream& in)
{
    std::string word;
    while (in >> word)
    {
        if (word == "Velocity")
            in >> velocity.x >> velocity.y;
        else if (word == "Acceleration")
            in >> acceleration.x >> acceleration.y;
        else if (word == "Total")
            in >> totalForce.x >> totalForce.y;
        else if (word == "Mass")
        {
            in >> mass;
            if (mass != 0.0f) inverseMass = 1.0f / mass;
        }
        else if (word == "Radius")
            in >> radius;
        if (in.fail()) return false;
    }
    return true;
}
