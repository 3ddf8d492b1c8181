// Damaged level, map and archetype files: each is reported by file and key, the defaults stay,
// the rest of the level loads, and nothing aborts.
#include <gtest/gtest.h>

#include "engine/core/CameraManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/PhysicsManager.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
fs::path BadRoot()
{
    fs::path root = WorldFix::MakeDataRoot("bad", {"Good.json", "Broken.json", "NoMap.json"});
    WorldFix::WriteCommonArchetypes(root);
    Files::SetDataRoot(root.string());
    return root;
}

// Loads a level file through the cache and returns what was printed.
std::string LoadLevelFile(const std::string& name)
{
    CameraManager::Get().cameras.clear();
    GameObjectManager::Get().DestroyAllObjects();
    testing::internal::CaptureStdout();
    std::string path = "GameData/Levels/" + name;
    if (const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path))
        LoadLevelDocument(JsonView(doc, ResourceManager::Get().KeepName(path)));
    return testing::internal::GetCapturedStdout();
}

std::string LoadMapText(const std::string& text)
{
    testing::internal::CaptureStdout();
    rapidjson::Document doc;
    std::string error;
    if (ParseJson(text, doc, &error))
        MapManager::Get().LoadMap(JsonView(&doc, "Bad.json"));
    else
        std::printf("map: Bad.json: not JSON (%s)\n", error.c_str());
    return testing::internal::GetCapturedStdout();
}

::testing::AssertionResult Names(const std::string& out, const std::string& file,
                                 const std::string& key)
{
    size_t line = out.find(file);
    while (line != std::string::npos)
    {
        size_t end = out.find('\n', line);
        if (out.substr(line, end - line).find(key) != std::string::npos)
            return ::testing::AssertionSuccess();
        line = out.find(file, line + 1);
    }
    return ::testing::AssertionFailure() << "no line names " << file << " and " << key << " in:\n"
                                         << out;
}

GameObject* Find(const std::string& name)
{
    GameObject* found = nullptr;
    for (int l = 0; l < kLayerCount; ++l)
        GameObjectManager::Get().ForEachActive(l,
                                               [&](GameObject& o)
                                               {
                                                   if (!found && o.name == name) found = &o;
                                               });
    return found;
}
} // namespace

TEST(WorldBadInput, DamagedLevelFilesAreNamedAndSkipped)
{
    fs::path root = BadRoot();
    const std::string dir = "GameData/Levels/";
    TestSupport::WriteText(root, dir + "Cut.json", R"({"Name": "Cut.json", "GameObjects": [)");
    TestSupport::WriteText(root, dir + "Deep.json", std::string(100000, '['));
    TestSupport::WriteText(
        root, dir + "Shapes.json",
        R"({"Name": "Shapes.json", "Map": 5, "Camera": "high", "GameObjects": {"a": 1}})");
    TestSupport::WriteText(root, dir + "Entries.json", R"({"Name": "Entries.json", "GameObjects": [
        3, {"Name": 4}, {"Name": "Missing.json"},
        {"Name": "Crate.json", "OverWrite": {"Transform": {"Position": "here"}}},
        {"Name": "Crate.json", "OverWrite": {"Transform": {"Position": [1, 2]}}},
        {"Name": "Crate.json", "OverWrite": "x"},
        {"Name": "Hero.json", "OverWrite": {"Transform": {"Position": [2, 3, 0]}}}]})");

    EXPECT_TRUE(Names(LoadLevelFile("Absent.json"), "GameData/Levels/Absent.json", "missing"));
    EXPECT_TRUE(Names(LoadLevelFile("Cut.json"), "GameData/Levels/Cut.json", "not JSON"));
    EXPECT_TRUE(Names(LoadLevelFile("Deep.json"), "GameData/Levels/Deep.json", "not JSON"));
    std::string shapes = LoadLevelFile("Shapes.json");
    EXPECT_TRUE(Names(shapes, "Shapes.json", "\"Map\""));
    EXPECT_TRUE(Names(shapes, "Shapes.json", "\"Camera\""));
    EXPECT_TRUE(Names(shapes, "Shapes.json", "\"GameObjects\""));
    EXPECT_TRUE(CameraManager::Get().cameras.empty());

    std::string entries = LoadLevelFile("Entries.json");
    EXPECT_TRUE(Names(entries, "Entries.json", "GameObjects[0]"));
    EXPECT_TRUE(Names(entries, "Entries.json", "GameObjects[1].Name"));
    EXPECT_TRUE(Names(entries, "Missing.json", "missing"));
    EXPECT_TRUE(Names(entries, "Entries.json", "Transform.Position"));
    EXPECT_TRUE(Names(entries, "Entries.json", "OverWrite"));
    // The crates keep the archetype's placement; the hero after them still loads.
    EXPECT_EQ(GameObjectManager::Get().liveCounts[kLayerGameplay], 3);
    ASSERT_NE(GameObjectManager::Get().Player(), nullptr);
    EXPECT_EQ(GameObjectManager::Get().Player()->Get<Transform>()->position, glm::vec3(2, 3, 0));
    GameObjectManager::Get().ForEachActive(
        kLayerGameplay,
        [](GameObject& o) { EXPECT_EQ(o.Get<Transform>()->position, glm::vec3(0.0f)); });
    fs::remove_all(root);
}

TEST(WorldBadInput, DamagedMapsAreNamedAndReadAsFarAsTheyGo)
{
    fs::path root = BadRoot();
    MapManager& map = MapManager::Get();
    std::string out = LoadMapText(R"({"Name": "Bad.json", "Width": 3, "Height": 2,
        "MapObjectData": [["a", "b", "c"], [1, 1]], "ObjectList": ["Ground.json"]})");
    EXPECT_TRUE(Names(out, "Bad.json", "\"MapObjectData\": a cell is not"));
    EXPECT_TRUE(Names(out, "Bad.json", "\"MapObjectData\": a row is shorter"));
    EXPECT_EQ(map.IndexAt(0, 1), 0);
    EXPECT_EQ(map.IndexAt(1, 0), 1);
    EXPECT_EQ(map.IndexAt(2, 0), 0);

    out = LoadMapText(
        R"({"Name": "Bad.json", "Width": "wide", "Height": -4, "MapObjectData": "rows"})");
    EXPECT_TRUE(Names(out, "Bad.json", "\"Width\""));
    EXPECT_TRUE(Names(out, "Bad.json", "\"Height\""));
    EXPECT_TRUE(Names(out, "Bad.json", "\"MapObjectData\""));
    EXPECT_EQ(map.Width, 0);
    EXPECT_TRUE(map.Solid(0, 0));

    out =
        LoadMapText(R"({"Name": "Bad.json", "Width": 1e12, "Height": 3, "MapObjectData": [[1]]})");
    EXPECT_TRUE(Names(out, "Bad.json", "\"Width\""));
    out = LoadMapText(R"({"Name": "Bad.json", "Width": 2000000, "Height": 2000000,
                          "MapObjectData": [[1, 2], "row", 7], "ObjectList": [1, "Ground.json"]})");
    EXPECT_TRUE(Names(out, "Bad.json", "\"Width\": larger than 4096"));
    EXPECT_TRUE(Names(out, "Bad.json", "\"Height\""));
    EXPECT_TRUE(Names(out, "Bad.json", "\"ObjectList\""));
    EXPECT_EQ(map.Width, MapManager::kMaxSide);
    EXPECT_LE(static_cast<long>(map.Width) * map.Height, MapManager::kMaxCells);
    EXPECT_EQ(map.IndexAt(1, map.Height - 1), 2);
    EXPECT_EQ(map.NameIndexes["Ground.json"], 2); // the bad entry kept its place
    EXPECT_FALSE(map.Solid(map.CapacityColumns - 1, map.CapacityRows - 1));
    EXPECT_TRUE(map.Solid(map.CapacityColumns, 0));

    out = LoadMapText("[1, 2]");
    EXPECT_TRUE(Names(out, "Bad.json", "not a map object"));
    EXPECT_EQ(map.CapacityColumns, 0);
    EXPECT_EQ(PhysicsManager::TileTest(1.0f, 1.0f, 1.0f, 1.0f), 15u);
    fs::remove_all(root);
}

TEST(WorldBadInput, LevelsWithDamagedMapsAndArchetypesLoadTheRest)
{
    fs::path root = BadRoot();
    const std::string objs = "GameData/GameObjects/";
    TestSupport::WriteText(root, objs + "Cracked.json", R"({"Name": "Cracked.json", "Type": )");
    TestSupport::WriteText(root, objs + "Listy.json", R"(["Name", "Listy.json"])");
    TestSupport::WriteText(root, objs + "Odd.json", R"({"Name": "Odd.json", "Type": "BOX",
        "Transform": {"Position": "left", "Scale": [2]}, "Body": {"Vertices": [3, 1]}})");
    TestSupport::WriteText(root, "GameData/Maps/Rows.json", R"({"Name": "Rows.json", "Width": 3,
        "Height": 2, "MapObjectData": [["x", "y", "z"], [1, 9, 2]],
        "ObjectList": ["Ground.json", "Cracked.json"]})");
    WorldFix::WriteLevel(
        root, "Mixed.json", "Rows.json",
        {{"Cracked.json", 1, 1}, {"Listy.json", 1, 1}, {"Odd.json", 4, 4}, {"Crate.json", 3, 3}});
    WorldFix::WriteLevel(root, "NoMap.json", "Gone.json", {{"Crate.json", 3, 3}});

    std::string out = LoadLevelFile("Mixed.json");
    EXPECT_TRUE(Names(out, "GameData/GameObjects/Cracked.json", "not JSON"));
    EXPECT_TRUE(Names(out, "Mixed.json", "Listy.json"));
    EXPECT_TRUE(Names(out, "GameData/Maps/Rows.json", "\"MapObjectData\""));
    EXPECT_TRUE(
        Names(out, "GameData/Maps/Rows.json", "\"ObjectList\": tile archetype \"Cracked.json\""));
    EXPECT_TRUE(Names(out, "Odd.json", "\"Transform.Position\""));
    EXPECT_TRUE(Names(out, "Odd.json", "\"Body.Vertices\""));
    EXPECT_EQ(GameObjectManager::Get().liveCounts[kLayerMap], 1); // only the good bottom-left tile
    EXPECT_TRUE(MapManager::Get().Solid(0, 0));
    ASSERT_NE(Find("Odd.json"), nullptr);
    EXPECT_EQ(Find("Odd.json")->Get<Transform>()->position, glm::vec3(4, 4, 0));
    EXPECT_EQ(Find("Odd.json")->Get<Transform>()->scale, glm::vec3(1.0f));
    EXPECT_NE(Find("Crate.json"), nullptr);
    EXPECT_EQ(CameraManager::Get().cameras.size(), 1u);

    out = LoadLevelFile("NoMap.json");
    EXPECT_TRUE(Names(out, "NoMap.json", "\"Map\": map GameData/Maps/Gone.json missing"));
    EXPECT_NE(Find("Crate.json"), nullptr);
    EXPECT_EQ(MapManager::Get().GetMapName(), "Gone.json"); // still named in a save
    testing::internal::CaptureStdout();
    EXPECT_FALSE(MapManager::Get().SaveMap()); // but no empty map is written
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(fs::exists(root / "GameData/Maps/Gone.json"));
    fs::remove_all(root);
}

TEST(WorldBadInput, TheEngineRunsThroughAListOfBrokenLevels)
{
    fs::path root = BadRoot();
    WorldFix::WriteLevel(root, "Good.json", "Gone.json", {{"Hero.json", 2, 3}});
    TestSupport::WriteText(root, "GameData/Levels/Broken.json", "{\"Name\": ");
    TestSupport::WriteText(root, "GameData/Levels/NoMap.json", R"({"Name": "NoMap.json",
        "Camera": {"Position": [0, 0]}, "GameObjects": [{"Name": "Hero.json"}, 5]})");
    HeadlessGame game(root);
    ASSERT_EQ(game.status(), 0);
    for (int i = 0; i < 6; ++i)
    {
        LevelManager::Get().NextLevel();
        game.Frames(30);
    }
    LevelManager::Get().GoToLastLevel();
    game.Frames(30);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "NoMap.json");
    fs::remove_all(root);
}
