// Level documents: what loading builds, what saving writes, and load(save(x)) = x for the
// shipped levels and maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/core/CameraManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
void LoadText(const std::string& text, rapidjson::Document& doc, const char* file = "level.json")
{
    ASSERT_TRUE(ParseJson(text, doc, nullptr)) << file;
    LoadLevelDocument(JsonView(&doc, file));
}

void ClearLevel()
{
    CameraManager::Get().cameras.clear();
    GameObjectManager::Get().DestroyAllObjects();
}

// Everything a save promises to keep: per layer and slot, the object's name, type and every
// section its components write; plus the map and the camera.
std::string Snapshot()
{
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    GameObjectManager& objects = GameObjectManager::Get();
    w.StartArray();
    for (int l = 0; l < kLayerCount; ++l)
        for (size_t s = 0; s < objects.layers[l].size(); ++s)
        {
            GameObject& obj = objects.layers[l][s];
            if (!obj.active) continue;
            w.StartObject();
            w.Key("At");
            w.String((std::to_string(l) + "/" + std::to_string(s)).c_str());
            w.Key("Name");
            w.String(obj.name.c_str());
            w.Key("Type");
            w.Int(obj.type);
            for (const auto& c : obj.components) c->Serialize(w);
            w.EndObject();
        }
    MapManager::Get().SerializeMap(w);
    if (Camera* cam = CameraManager::Get().GetCurrentCamera())
        for (float v : {cam->home.x, cam->home.y, cam->home.z, cam->min.x, cam->max.x, cam->min.y,
                        cam->max.y})
            w.Double(v);
    w.EndArray();
    return buffer.GetString();
}

std::vector<fs::path> JsonFiles(const fs::path& dir)
{
    std::vector<fs::path> files;
    if (fs::is_directory(dir))
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".json") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Each listed object that a save keeps appears in the saved text with its placement.
void ExpectPlacementsKept(const JsonView& original, const std::string& text)
{
    rapidjson::Document saved;
    ASSERT_TRUE(ParseJson(text, saved, nullptr));
    JsonView list = JsonView(&saved, "saved")["GameObjects"];
    std::multimap<std::string, glm::vec3> placed;
    for (size_t i = 0; i < list.Size(); ++i)
    {
        float p[3] = {0, 0, 0};
        list.At(i)["OverWrite"]["Transform"].ReadFloats("Position", p, 3);
        placed.emplace(list.At(i)["Name"].AsString(""), glm::vec3(p[0], p[1], p[2]));
    }
    for (size_t i = 0; i < original.Size(); ++i)
    {
        std::string name = original.At(i)["Name"].AsString("");
        const rapidjson::Document* archetype = FindArchetype(name);
        std::string type = archetype ? JsonView(archetype, "a")["Type"].AsString("") : "";
        if (type == "ALARM" || type == "GUARDFOV" || type == "AIMBOX") continue;
        float p[3];
        if (!original.At(i)["OverWrite"]["Transform"].ReadFloats("Position", p, 3)) continue;
        auto range = placed.equal_range(name);
        auto it =
            std::find_if(range.first, range.second,
                         [&](const auto& e) { return e.second == glm::vec3(p[0], p[1], p[2]); });
        if (it == range.second)
            ADD_FAILURE() << name << " lost its placement";
        else
            placed.erase(it);
    }
}

fs::path UseWorldRoot()
{
    fs::path root = WorldFix::MakeDataRoot("level-file", {});
    WorldFix::WriteCommonArchetypes(root);
    Files::SetDataRoot(root.string());
    return root;
}
} // namespace

TEST(LevelFile, WithoutGameObjectsNothingElseIsReadEither)
{
    fs::path root = UseWorldRoot();
    TestSupport::WriteText(root, "GameData/Maps/M.json",
                           WorldFix::MapJson("M.json", {{1, 1}}, {"Ground.json"}));
    rapidjson::Document doc;
    LoadText(R"({"Name": "Bare.json", "Map": "M.json", "Camera": {"Position": [1, 2, 3]}})", doc);
    EXPECT_EQ(GameObjectManager::Get().levelName, "Bare.json");
    EXPECT_TRUE(CameraManager::Get().cameras.empty());
    EXPECT_EQ(GameObjectManager::Get().liveCounts[kLayerMap], 0);
    EXPECT_NE(MapManager::Get().GetMapName(), "M.json");
    fs::remove_all(root);
}

TEST(LevelFile, MapCellsBecomeTilesAtTheirColumnAndRow)
{
    fs::path root = UseWorldRoot();
    TestSupport::WriteText(root, "GameData/Maps/M.json",
                           WorldFix::MapJson("M.json", {{0, 3, 0}, {1, 1, 2}},
                                             {"Ground.json", "Vine.json", "Hero.json"}));
    rapidjson::Document doc;
    LoadText(R"({"Name": "L.json", "Map": "M.json",
                 "Camera": {"Position": [4, 5, 20], "MinX": 1, "MaxX": 9, "MinY": 2, "MaxY": 8},
                 "GameObjects": []})",
             doc);
    GameObjectManager& objects = GameObjectManager::Get();
    EXPECT_EQ(objects.liveCounts[kLayerMap], 3);
    // Index 3 names the third entry: here a player archetype, so it lands in the player slot.
    GameObject* hero = objects.Player();
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->name, "Hero.json");
    Transform* t = hero->Get<Transform>();
    EXPECT_EQ(t->position, glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(t->scale, glm::vec3(1.0f, 1.0f, 1.0f)); // scale forced to 1 whatever the archetype
    std::vector<glm::vec3> tiles;
    objects.ForEachActive(kLayerMap,
                          [&](GameObject& o) { tiles.push_back(o.Get<Transform>()->position); });
    EXPECT_EQ(tiles, (std::vector<glm::vec3>{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}));
    MapManager& map = MapManager::Get();
    EXPECT_TRUE(map.Solid(0, 0));
    EXPECT_TRUE(map.Solid(1, 0));
    EXPECT_FALSE(map.Solid(2, 0)); // the vine does not block
    ASSERT_EQ(CameraManager::Get().cameras.size(), 1u);
    Camera* cam = CameraManager::Get().GetCurrentCamera();
    EXPECT_EQ(cam->position, glm::vec3(4, 5, 20));
    EXPECT_EQ(cam->home, cam->position);
    EXPECT_EQ(cam->max, glm::vec3(9, 8, 20));
    EXPECT_EQ(cam->min, glm::vec3(1, 2, 20));
    ClearLevel(); // the hero would otherwise be the next test's player
    fs::remove_all(root);
}

TEST(LevelFile, SaveListsScreenObjectsFirstAndLeavesOutConesAndTiles)
{
    fs::path root = UseWorldRoot();
    const std::string dir = "GameData/GameObjects/";
    TestSupport::WriteText(root, dir + "Hud.json",
                           R"({"Name": "Hud.json", "Type": "HUD", "Transform": {}})");
    TestSupport::WriteText(root, dir + "Sky.json",
                           R"({"Name": "Sky.json", "Type": "BACKGROUND", "Transform": {}})");
    TestSupport::WriteText(root, dir + "Cone.json",
                           R"({"Name": "Cone.json", "Type": "GUARDFOV", "Transform": {}})");
    TestSupport::WriteText(root, "GameData/Maps/M.json",
                           WorldFix::MapJson("M.json", {{1}}, {"Ground.json"}));
    rapidjson::Document doc;
    LoadText(R"({"Name": "L.json", "Map": "M.json", "Camera": {"Position": [0, 0, 15]},
                 "GameObjects": [{"Name": "Crate.json"}, {"Name": "Sky.json"},
                                 {"Name": "Cone.json"}, {"Name": "Hud.json"}]})",
             doc);
    rapidjson::Document saved;
    ASSERT_TRUE(ParseJson(LevelText(), saved, nullptr));
    JsonView list = JsonView(&saved, "saved")["GameObjects"];
    std::vector<std::string> names;
    for (size_t i = 0; i < list.Size(); ++i) names.push_back(list.At(i)["Name"].AsString(""));
    EXPECT_EQ(names, (std::vector<std::string>{"Hud.json", "Sky.json", "Crate.json"}));
    EXPECT_EQ(JsonView(&saved, "saved")["Map"].AsString(""), "M.json");
    fs::remove_all(root);
}

TEST(LevelFile, ReloadingASavedLevelGivesBackTheSameLevel)
{
    fs::path root = UseWorldRoot();
    TestSupport::WriteText(
        root, "GameData/Maps/M.json",
        WorldFix::MapJson("M.json", {{0, 0, 0, 0}, {1, 1, 1, 1}}, {"Ground.json"}));
    WorldFix::WriteLevel(root, "L.json", "M.json",
                         {{"Hero.json", 1.0f, 2.0f}, {"Crate.json", 3.25f, 1.0f}});
    rapidjson::Document doc;
    LoadText(TestSupport::ReadText(root / "GameData/Levels/L.json"), doc);
    GameObjectManager::Get().Player()->Get<Transform>()->position.x = 2.75f; // moved in play
    std::string before = Snapshot(), text = LevelText();
    ClearLevel();
    rapidjson::Document again;
    LoadText(text, again, "saved.json");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(LevelText(), text);
    fs::remove_all(root);
}

// Every level shipped with the game survives a save and a reload: same objects in the same
// slots with the same sections, same map, same camera; and its saved form is a fixed point.
TEST(LevelFile, EveryShippedLevelRoundTrips)
{
    fs::path data = TestSupport::ShippedData();
    Files::SetDataRoot(data.string());
    std::vector<fs::path> levels = JsonFiles(data / "GameData/Levels");
    ASSERT_FALSE(levels.empty());
    for (const fs::path& file : levels)
    {
        SCOPED_TRACE(file.filename().string());
        ClearLevel();
        rapidjson::Document doc;
        LoadText(TestSupport::ReadText(file), doc, "shipped");
        std::string before = Snapshot(), text = LevelText();
        ExpectPlacementsKept(JsonView(&doc, "shipped")["GameObjects"], text);
        ClearLevel();
        rapidjson::Document again;
        LoadText(text, again, "saved");
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(LevelText(), text);
    }
}

// Every shipped map reads back to the file's own pretty-printed form, byte for byte.
TEST(LevelFile, EveryShippedMapRoundTrips)
{
    std::vector<fs::path> maps = JsonFiles(TestSupport::ShippedData() / "GameData/Maps");
    ASSERT_FALSE(maps.empty());
    for (const fs::path& file : maps)
    {
        SCOPED_TRACE(file.filename().string());
        rapidjson::Document doc;
        ASSERT_TRUE(ParseJson(TestSupport::ReadText(file), doc, nullptr));
        MapManager::Get().LoadMap(JsonView(&doc, "shipped"));
        rapidjson::StringBuffer expected, actual;
        JsonWriter we(expected), wa(actual);
        InitJsonWriter(we);
        InitJsonWriter(wa);
        doc.Accept(we);
        MapManager::Get().SerializeMap(wa);
        EXPECT_EQ(std::string(actual.GetString()), std::string(expected.GetString()));
        EXPECT_EQ(MapManager::Get().GetMapName(), file.filename().string());
    }
}
