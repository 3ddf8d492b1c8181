#include "tests/WorldFixtures.h"

#include <sstream>

#include <gtest/gtest.h>

#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/GameNames.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

std::vector<glm::vec2> WorldFix::UnitSquare()
{
    return {{0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}};
}

std::string WorldFix::MapJson(const std::string& name, const std::vector<std::vector<int>>& rows,
                              const std::vector<std::string>& objects)
{
    std::ostringstream out;
    size_t width = rows.empty() ? 0 : rows[0].size();
    out << R"({"Name": ")" << name << R"(", "Height": )" << rows.size() << R"(, "Width": )" << width
        << R"(, "MapObjectData": [)";
    for (size_t i = 0; i < rows.size(); ++i)
    {
        out << (i ? ", [" : "[");
        for (size_t c = 0; c < rows[i].size(); ++c) out << (c ? ", " : "") << rows[i][c];
        out << "]";
    }
    out << R"(], "ObjectList": [)";
    for (size_t k = 0; k < objects.size(); ++k) out << (k ? ", \"" : "\"") << objects[k] << "\"";
    out << "]}";
    return out.str();
}

void WorldFix::LoadEmptyMap(int width, int height)
{
    std::vector<std::vector<int>> rows(height, std::vector<int>(width, 0));
    rapidjson::Document doc;
    ASSERT_TRUE(ParseJson(MapJson("Test.json", rows, {"Block.json"}), doc, nullptr));
    MapManager::Get().LoadMap(JsonView(&doc, "Test.json"));
}

void WorldFix::SolidCell(int column, int row)
{
    GameObject* tile = GameObjectManager::Get().CreateObject(kTypeMap);
    ASSERT_NE(tile, nullptr);
    auto* t = new Transform(tile);
    t->position = glm::vec3(static_cast<float>(column), static_cast<float>(row), 0.0f);
    tile->AddComponent(t);
    tile->name = "Block.json";
    tile->obstruct = true;
    MapManager::Get().AddTile(*tile);
}

GameObject* WorldFix::MakeBody(int type, glm::vec2 position, glm::vec2 scale, float radius,
                               std::vector<glm::vec2> vertices)
{
    GameObject* obj = GameObjectManager::Get().CreateObject(type);
    if (!obj) return nullptr;
    obj->type = type;
    auto* t = new Transform(obj);
    t->position = glm::vec3(position, 0.0f);
    t->scale = glm::vec3(scale, 1.0f);
    obj->AddComponent(t);
    auto* b = new Body(obj);
    b->radius = radius;
    b->vertices = std::move(vertices);
    obj->AddComponent(b);
    return obj;
}

Body* WorldFix::BodyOfObject(GameObject* obj)
{
    return obj ? obj->Get<Body>() : nullptr;
}

WorldFix::Recorder* WorldFix::AddRecorder(GameObject* obj)
{
    auto* r = new Recorder(obj);
    obj->AddComponent(r);
    return r;
}

fs::path WorldFix::MakeDataRoot(const std::string& tag, const std::vector<std::string>& levels)
{
    fs::path root = TestSupport::MakeTempDir(tag);
    fs::create_directories(root / "Fonts");
    for (const auto& entry : fs::directory_iterator(TestSupport::ShippedData() / "Fonts"))
        if (entry.path().extension() == ".ttf")
            fs::copy_file(entry.path(), root / "Fonts" / entry.path().filename());
    std::string list = "[";
    for (size_t i = 0; i < levels.size(); ++i) list += (i ? ", \"" : "\"") + levels[i] + "\"";
    TestSupport::WriteText(root, "System/LevelList.json", list + "]");
    return root;
}

void WorldFix::WriteCommonArchetypes(const fs::path& root)
{
    const std::string dir = "GameData/GameObjects/";
    TestSupport::WriteText(root, dir + "Hero.json", R"({"Name": "Hero.json", "Type": "PLAYER",
        "Transform": {"Position": [0, 0, 0], "Scale": [1, 2], "Rotation": 0},
        "Body": {"Gravity": true, "Mass": 1,
                 "Vertices": [4, 0.5, -0.5, 0.5, 0.5, -0.5, 0.5, -0.5, -0.5]}})");
    TestSupport::WriteText(root, dir + "Ground.json", R"({"Name": "Ground.json", "Type": "MAP",
        "Obstruct": true, "Transform": {}})");
    TestSupport::WriteText(root, dir + "Vine.json", R"({"Name": "Vine.json", "Type": "MAP",
        "Transform": {}})");
    TestSupport::WriteText(root, dir + "Crate.json", R"({"Name": "Crate.json", "Type": "BOX",
        "Transform": {"Position": [0, 0, 0], "Scale": [1, 1], "Rotation": 0},
        "Body": {"Vertices": [4, 0.5, -0.5, 0.5, 0.5, -0.5, 0.5, -0.5, -0.5]}})");
}

void WorldFix::WriteLevel(const fs::path& root, const std::string& name, const std::string& map,
                          const std::vector<Placed>& objects)
{
    std::ostringstream out;
    out << R"({"Name": ")" << name << R"(", "Map": ")" << map
        << R"(", "Camera": {"Position": [5, 5, 15], "MinX": 0, "MaxX": 50, "MinY": 0, "MaxY": 20},)"
        << R"( "GameObjects": [)";
    for (size_t i = 0; i < objects.size(); ++i)
        out << (i ? ", " : "") << R"({"Name": ")" << objects[i].archetype
            << R"(", "OverWrite": {"Transform": {"Position": [)" << objects[i].x << ", "
            << objects[i].y << ", 0]}}}";
    out << "]}";
    TestSupport::WriteText(root, "GameData/Levels/" + name, out.str());
}
