// The body's fixed step and its "Body" section.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/core/Log.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "tests/WorldFixtures.h"

namespace
{
GameObject* Fresh(glm::vec2 at = glm::vec2(0.0f))
{
    return WorldFix::MakeBody(kTypeBox, at, glm::vec2(1.0f), 0.0f, {});
}

bool Read(Body& body, const std::string& text)
{
    rapidjson::Document doc;
    EXPECT_TRUE(ParseJson(text, doc, nullptr));
    return body.Deserialize(JsonView(&doc, "Body.json", "Body"));
}
} // namespace

TEST(PhysicsBody, OneFrameOfGravityFromRest)
{
    GameObject* obj = Fresh({2.0f, 3.0f});
    Body* b = obj->Get<Body>();
    b->gravity = true;
    b->Update();
    EXPECT_FLOAT_EQ(b->velocity.y, -0.32f);
    EXPECT_NEAR(obj->Get<Transform>()->position.y, 3.0f - 0.00512f, 1e-6f);
    EXPECT_FLOAT_EQ(b->timeStep, 0.016f);
    b->Update();
    EXPECT_FLOAT_EQ(b->velocity.y, -0.64f);
}

TEST(PhysicsBody, HorizontalMotionKeepsNinetyNinePercentOfEachStep)
{
    GameObject* obj = Fresh();
    Body* b = obj->Get<Body>();
    b->velocity = glm::vec2(10.0f, 10.0f);
    b->Update();
    EXPECT_NEAR(obj->Get<Transform>()->position.x, 0.1584f, 1e-6f);
    EXPECT_NEAR(obj->Get<Transform>()->position.y, 0.16f, 1e-6f);
    EXPECT_FLOAT_EQ(b->velocity.x, 10.0f); // the velocity itself is not damped
}

TEST(PhysicsBody, ForceActsForOneFrameThroughTheInverseMass)
{
    GameObject* obj = Fresh();
    Body* b = obj->Get<Body>();
    ASSERT_TRUE(Read(*b, R"({"Mass": 2})"));
    b->totalForce = glm::vec2(5.0f, 0.0f);
    b->Update();
    EXPECT_NEAR(b->velocity.x, 0.04f, 1e-7f);
    EXPECT_EQ(b->totalForce, glm::vec2(0.0f));
    b->Update();
    EXPECT_NEAR(b->velocity.x, 0.04f, 1e-7f);
    EXPECT_FLOAT_EQ(b->acceleration.x, 0.0f);

    // Mass 0 keeps the inverse mass (1 by default): forces act as on mass 1.
    GameObject* other = Fresh();
    Body* light = other->Get<Body>();
    ASSERT_TRUE(Read(*light, R"({"Mass": 0})"));
    EXPECT_FLOAT_EQ(light->inverseMass, 1.0f);
    light->totalForce = glm::vec2(5.0f, 0.0f);
    light->Update();
    EXPECT_NEAR(light->velocity.x, 0.08f, 1e-7f);
}

TEST(PhysicsBody, SpinWrapsTheRotationKeepingItsSign)
{
    GameObject* obj = Fresh();
    Transform* t = obj->Get<Transform>();
    t->rotation = 6.5f;
    obj->Get<Body>()->Update();
    EXPECT_NEAR(t->rotation, 0.22f, 1e-5f);
    t->rotation = -7.0f;
    obj->Get<Body>()->Update();
    EXPECT_NEAR(t->rotation, -0.72f, 1e-5f);
    obj->Get<Body>()->spin = 10.0f;
    t->rotation = 0.0f;
    obj->Get<Body>()->Update();
    EXPECT_NEAR(t->rotation, 0.16f, 1e-6f);
}

TEST(PhysicsBody, WithoutATransformNothingMoves)
{
    GameObject* obj = GameObjectManager::Get().CreateObject(kTypeBox);
    auto* b = new Body(obj);
    obj->AddComponent(b);
    b->gravity = true;
    b->totalForce = glm::vec2(1.0f, 0.0f);
    b->Update();
    EXPECT_EQ(b->velocity, glm::vec2(0.0f));
    EXPECT_EQ(b->totalForce, glm::vec2(1.0f, 0.0f));
}

TEST(PhysicsBody, SectionKeysFillTheirFieldsAndVerticesAppend)
{
    GameObject* obj = Fresh();
    Body* b = obj->Get<Body>();
    const char* section = R"({"Velocity": [1, 2], "Acceleration": [3, 4.5], "Total": [5, 6],
        "Gravity": true, "Mass": 4, "Radius": 0.75,
        "Vertices": [4, 0.5, -0.5, 0.5, 0.5, -0.5, 0.5, -0.5, -0.5]})";
    int warnings = LogWarningCount();
    ASSERT_TRUE(Read(*b, section));
    EXPECT_EQ(LogWarningCount(), warnings);
    EXPECT_EQ(b->velocity, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(b->acceleration, glm::vec2(3.0f, 4.5f));
    EXPECT_EQ(b->totalForce, glm::vec2(5.0f, 6.0f));
    EXPECT_TRUE(b->gravity);
    EXPECT_FLOAT_EQ(b->inverseMass, 0.25f);
    EXPECT_FLOAT_EQ(b->radius, 0.75f);
    ASSERT_EQ(b->vertices.size(), 4u);
    EXPECT_EQ(b->vertices[0], glm::vec2(0.5f, -0.5f));
    ASSERT_TRUE(Read(*b, section));
    EXPECT_EQ(b->vertices.size(), 8u);
    // Absent keys leave fields alone; a gravity that is not true switches it off.
    ASSERT_TRUE(Read(*b, R"({"Gravity": false})"));
    EXPECT_FALSE(b->gravity);
    EXPECT_EQ(b->velocity, glm::vec2(1.0f, 2.0f));
}

TEST(PhysicsBody, DamagedSectionsAreReportedAndReadAsFarAsTheyGo)
{
    GameObject* obj = Fresh();
    Body* b = obj->Get<Body>();
    int warnings = LogWarningCount();
    // Four vertices declared, two and a half present: the two whole pairs are read.
    ASSERT_TRUE(Read(*b, R"({"Vertices": [4, 0.5, -0.5, 0.5, 0.5, -0.5]})"));
    EXPECT_EQ(b->vertices.size(), 2u);
    EXPECT_EQ(LogWarningCount(), warnings + 1);
    ASSERT_TRUE(Read(*b, R"({"Vertices": "square", "Velocity": [1], "Mass": "heavy",
                            "Gravity": "yes", "Radius": [1]})"));
    EXPECT_EQ(b->vertices.size(), 2u);
    EXPECT_EQ(b->velocity, glm::vec2(0.0f));
    EXPECT_FLOAT_EQ(b->inverseMass, 1.0f);
    EXPECT_FALSE(b->gravity);
    EXPECT_FLOAT_EQ(b->radius, 0.0f);
    EXPECT_EQ(LogWarningCount(), warnings + 6);
    ASSERT_TRUE(Read(*b, R"({"Vertices": [-3, 1, 1]})"));
    ASSERT_TRUE(Read(*b, R"({"Vertices": [2, 1, 2, "x", 4]})"));
    ASSERT_TRUE(Read(*b, R"({"Vertices": [1e300, 1, 1]})"));
    EXPECT_EQ(b->vertices.size(), 3u);
}

TEST(PhysicsBody, TextFormReadsTheLabelledValues)
{
    GameObject* obj = Fresh();
    Body* b = obj->Get<Body>();
    std::istringstream in("Velocity 1 2\nAcceleration 3 4\nTotal 5 6\nMass 2\nRadius 0.5\n");
    EXPECT_TRUE(b->ReadText(in));
    EXPECT_EQ(b->velocity, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(b->totalForce, glm::vec2(5.0f, 6.0f));
    EXPECT_FLOAT_EQ(b->inverseMass, 0.5f);
    EXPECT_FLOAT_EQ(b->radius, 0.5f);
    std::istringstream bad("Mass heavy");
    EXPECT_FALSE(b->ReadText(bad));
}
