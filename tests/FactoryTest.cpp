// Archetypes and level overrides: component order, reuse, flags, types and bad data.
#include <gtest/gtest.h>

#include "engine/core/Log.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"

namespace
{
const rapidjson::Document* Archetype(const std::string& file, const std::string& text)
{
    return ResourceManager::Get().AddDocument("GameData/GameObjects/" + file, text);
}

GameObject* FromEntry(const std::string& entryText, rapidjson::Document& keep)
{
    EXPECT_TRUE(ParseJson(entryText, keep, nullptr));
    return CreateFromLevelEntry(JsonView(&keep, "test-level.json"));
}
} // namespace

TEST(Factory, ComponentsFollowTheTableOrderNotTheFileOrder)
{
    Archetype("Crate.json",
              R"({"Body": {}, "Transform": {"Position": [1, 2, 0]}, "Name": "Crate.json",
                               "Type": "BOX", "Obstruct": 0})");
    rapidjson::Document entry;
    GameObject* obj = FromEntry(R"({"Name": "Crate.json"})", entry);
    ASSERT_NE(obj, nullptr);
    ASSERT_EQ(obj->components.size(), 2u);
    EXPECT_NE(dynamic_cast<Transform*>(obj->components[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<Body*>(obj->components[1].get()), nullptr);
    EXPECT_EQ(obj->type, kTypeBox);
    EXPECT_EQ(obj->layer, kLayerGameplay);
    EXPECT_EQ(obj->name, "Crate.json");
    EXPECT_TRUE(obj->obstruct); // presence counts, not the value
}

TEST(Factory, OverWriteUpdatesTheExistingComponentAndClearsObstruct)
{
    Archetype("Wall.json", R"({"Name": "Wall.json", "Type": "BOX", "Obstruct": true,
                              "Transform": {"Position": [1, 2, 3], "Scale": [2, 2]}})");
    rapidjson::Document entry;
    GameObject* obj = FromEntry(
        R"({"Name": "Wall.json", "OverWrite": {"Transform": {"Position": [7, 8, 0]}}})", entry);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->components.size(), 1u);
    Transform* t = obj->Get<Transform>();
    EXPECT_FLOAT_EQ(t->position.x, 7.0f);
    EXPECT_FLOAT_EQ(t->scale.x, 2.0f); // untouched by the override
    EXPECT_FALSE(obj->obstruct);       // an override without "Obstruct" clears it
}

TEST(Factory, UnknownOrMiscasedTypeIsTypeZero)
{
    Archetype("Odd.json", R"({"Name": "Odd.json", "Type": "boss"})");
    rapidjson::Document entry;
    GameObject* obj = FromEntry(R"({"Name": "Odd.json"})", entry);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->type, 0);
    EXPECT_EQ(obj->layer, kLayerBackground);
}

TEST(Factory, SpawnFillsALayerFiveSlotFromAnArchetype)
{
    Archetype("Spark.json", R"({"Name": "Spark.json", "Type": "POKEBALL", "Transform": {}})");
    GameObject* obj = SpawnFromArchetype("Spark.json");
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->layer, kLayerGameplay);
    EXPECT_EQ(obj->type, kTypePokeBall);
    EXPECT_EQ(SpawnFromArchetype("Missing.json"), nullptr);
}

TEST(Factory, BadEntriesAreReportedAndSkipped)
{
    int before = LogWarningCount();
    rapidjson::Document a, b, c;
    EXPECT_EQ(FromEntry(R"({"OverWrite": {}})", a), nullptr);        // no name
    EXPECT_EQ(FromEntry(R"({"Name": 12})", b), nullptr);             // name not a string
    EXPECT_EQ(FromEntry(R"({"Name": "Nowhere.json"})", c), nullptr); // no such archetype
    EXPECT_GE(LogWarningCount() - before, 3);
}

TEST(Factory, SectionsOfWrongShapeKeepDefaults)
{
    Archetype("Bent.json", R"({"Name": "Bent.json", "Type": 5,
        "Transform": {"Position": "here", "Scale": [3], "Rotation": "fast"}, "Body": [1, 2]})");
    rapidjson::Document entry;
    int before = LogWarningCount();
    GameObject* obj = FromEntry(R"({"Name": "Bent.json"})", entry);
    ASSERT_NE(obj, nullptr);
    Transform* t = obj->Get<Transform>();
    EXPECT_EQ(t->position, glm::vec3(0.0f));
    EXPECT_EQ(t->scale, glm::vec3(1.0f));
    EXPECT_FLOAT_EQ(t->rotation, 0.0f);
    EXPECT_GE(LogWarningCount() - before, 4); // "Type", "Position", "Scale", "Rotation"
}

TEST(Factory, UnparsableAndDeeplyNestedArchetypesNeverAbort)
{
    std::string deep(100000, '[');
    EXPECT_EQ(Archetype("Deep.json", deep), nullptr);
    EXPECT_EQ(Archetype("Cut.json", R"({"Name": "Cut.json", "Transform": {"Posi)"), nullptr);
    rapidjson::Document a, b;
    EXPECT_EQ(FromEntry(R"({"Name": "Deep.json"})", a), nullptr);
    EXPECT_EQ(FromEntry(R"({"Name": "Cut.json"})", b), nullptr);
    Archetype("List.json", "[1, 2, 3]");
    rapidjson::Document c;
    EXPECT_EQ(FromEntry(R"({"Name": "List.json"})", c), nullptr); // not an object
}

TEST(Transform, SerialisesFloatsAsDoublesAndFlattensZ)
{
    GameObject* obj = GameObjectManager::Get().SpawnObject();
    auto* t = new Transform(obj);
    obj->AddComponent(t);
    t->position = glm::vec3(0.1f, 2.0f, 5.0f);
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    JsonWriter pretty(buffer);
    pretty.StartObject();
    t->Serialize(pretty);
    pretty.EndObject();
    std::string text = buffer.GetString();
    EXPECT_NE(text.find("0.10000000149011612"), std::string::npos);
    EXPECT_NE(text.find("\"Scale\""), std::string::npos);
    glm::mat4 m;
    t->BuildModelMatrix(m);
    EXPECT_FLOAT_EQ(t->position.z, 0.0f);
    EXPECT_FLOAT_EQ(m[3][0], 0.1f);
}

TEST(Transform, ModelMatrixScalesThenRotatesThenTranslates)
{
    Transform t(nullptr);
    t.position = glm::vec3(3.0f, 4.0f, 0.0f);
    t.scale = glm::vec3(2.0f, 1.0f, 1.0f);
    t.rotation = 1.5707964f;
    glm::mat4 m;
    t.BuildModelMatrix(m);
    glm::vec4 p = m * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f); // (2,0) rotated a quarter turn: (0,2)
    EXPECT_NEAR(p.x, 3.0f, 1e-5);
    EXPECT_NEAR(p.y, 6.0f, 1e-5);
}

TEST(Transform, CopyFromCopiesOnlyOtherTransforms)
{
    Transform a(nullptr), b(nullptr);
    b.position = glm::vec3(1, 2, 3);
    b.rotation = 0.5f;
    a.CopyFrom(&b);
    EXPECT_EQ(a.position, b.position);
    EXPECT_FLOAT_EQ(a.rotation, 0.5f);
    Body body(nullptr);
    a.CopyFrom(&body);
    EXPECT_EQ(a.position, b.position);
}
