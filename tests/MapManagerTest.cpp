// The map grid: reading cells bottom-up, solid cells, tiles added past the edge, and saving.
#include <gtest/gtest.h>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace
{
void Load(const std::string& text, rapidjson::Document& doc)
{
    ASSERT_TRUE(ParseJson(text, doc, nullptr));
    MapManager::Get().LoadMap(JsonView(&doc, "Grid.json"));
}

GameObject* Tile(const std::string& name, float x, float y, bool obstruct)
{
    GameObject* tile = GameObjectManager::Get().CreateObject(kTypeMap);
    auto* t = new Transform(tile);
    t->position = glm::vec3(x, y, 0.0f);
    tile->AddComponent(t);
    tile->name = name;
    tile->obstruct = obstruct;
    return tile;
}

std::string Saved(const MapManager& map)
{
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    InitJsonWriter(writer);
    map.SerializeMap(writer);
    return buffer.GetString();
}
} // namespace

TEST(MapManager, FirstRowOfTheFileIsTheTopRow)
{
    rapidjson::Document doc;
    Load(WorldFix::MapJson("Grid.json", {{0, 1, 0}, {2, 2, 2}}, {"A.json", "B.json"}), doc);
    MapManager& map = MapManager::Get();
    EXPECT_EQ(map.Width, 3);
    EXPECT_EQ(map.Height, 2);
    EXPECT_EQ(map.CapacityColumns, 6);
    EXPECT_EQ(map.CapacityRows, 4);
    EXPECT_EQ(map.IndexAt(1, 1), 1);
    EXPECT_EQ(map.IndexAt(0, 1), 0);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(map.IndexAt(c, 0), 2);
    ASSERT_EQ(map.ObjectNames.size(), 3u);
    EXPECT_EQ(map.ObjectNames[0], "");
    EXPECT_EQ(map.ObjectNames[2], "B.json");
    EXPECT_EQ(map.NameIndexes["A.json"], 1);
    // Loading makes nothing solid: only placed obstructing tiles do.
    EXPECT_FALSE(map.Solid(1, 1));
    EXPECT_TRUE(map.Solid(-1, 0));
    EXPECT_TRUE(map.Solid(0, 4));
    EXPECT_FALSE(map.Solid(5, 3));
}

TEST(MapManager, OnlyObstructingTilesMakeTheirCellSolid)
{
    rapidjson::Document doc;
    Load(WorldFix::MapJson("Grid.json", {{0, 0, 0}, {0, 0, 0}}, {"Rock.json", "Moss.json"}), doc);
    MapManager& map = MapManager::Get();
    map.AddTile(*Tile("Rock.json", 0.0f, 0.0f, true));
    map.AddTile(*Tile("Moss.json", 1.0f, 0.0f, false));
    map.AddTile(*Tile("Stranger.json", 2.0f, 1.0f, false));
    EXPECT_TRUE(map.Solid(0, 0));
    EXPECT_FALSE(map.Solid(1, 0));
    EXPECT_EQ(map.IndexAt(0, 0), 1);
    EXPECT_EQ(map.IndexAt(1, 0), 2);
    EXPECT_EQ(map.IndexAt(2, 1), 0); // a name not in the list records 0
}

TEST(MapManager, TileCellIsTheNearestWholeNumber)
{
    WorldFix::LoadEmptyMap(10, 4);
    MapManager& map = MapManager::Get();
    map.AddTile(*Tile("Block.json", 5.49f, 1.0f, true));
    map.AddTile(*Tile("Block.json", 7.5f, 1.0f, true));
    map.AddTile(*Tile("Block.json", -0.6f, 1.0f, true)); // column -1: ignored
    EXPECT_TRUE(map.Solid(5, 1));
    EXPECT_FALSE(map.Solid(6, 1));
    EXPECT_TRUE(map.Solid(8, 1));
    EXPECT_FALSE(map.Solid(0, 1));
}

TEST(MapManager, SavingAfterGrowthWritesTheWiderRows)
{
    WorldFix::LoadEmptyMap(10, 2);
    MapManager& map = MapManager::Get();
    map.AddTile(*Tile("Block.json", 11.0f, 0.0f, true));
    EXPECT_EQ(map.Width, 12);
    EXPECT_EQ(map.Height, 2);
    rapidjson::Document saved;
    ASSERT_TRUE(ParseJson(Saved(map), saved, nullptr));
    JsonView rows = JsonView(&saved, "saved")["MapObjectData"];
    ASSERT_EQ(rows.Size(), 2u);
    ASSERT_EQ(rows.At(0).Size(), 12u);
    EXPECT_EQ(rows.At(1).At(11).AsInt(-1), 1); // bottom row is written last
    EXPECT_EQ(rows.At(0).At(11).AsInt(-1), 0);
}

TEST(MapManager, GridsGrowPastTwiceTheLoadedSizeKeepingTheirCells)
{
    WorldFix::LoadEmptyMap(4, 3); // capacity 8 x 6
    MapManager& map = MapManager::Get();
    map.AddTile(*Tile("Block.json", 2.0f, 1.0f, true));
    map.AddTile(*Tile("Block.json", 9.0f, 14.0f, true));
    EXPECT_GE(map.CapacityColumns, 10);
    EXPECT_GE(map.CapacityRows, 15);
    EXPECT_EQ(map.Width, 10);
    EXPECT_EQ(map.Height, 15);
    EXPECT_TRUE(map.Solid(2, 1));
    EXPECT_TRUE(map.Solid(9, 14));
    EXPECT_FALSE(map.Solid(8, 5));
    EXPECT_EQ(map.IndexAt(2, 1), 1);
    // Absurdly far tiles are refused, not allocated for.
    map.AddTile(*Tile("Block.json", 1.0e8f, 0.0f, true));
    map.AddTile(*Tile("Block.json", 0.0f, 3.0e38f, true));
    EXPECT_LE(map.CapacityColumns, 2 * MapManager::kMaxSide);
    EXPECT_LE(map.CapacityRows, 2 * MapManager::kMaxSide);
}

TEST(MapManager, SaveMapRewritesTheFileItCameFromAndRefusesUnsafeNames)
{
    std::filesystem::path root = TestSupport::MakeTempDir("map-save");
    Files::SetDataRoot(root.string());
    std::filesystem::create_directories(root / "GameData/Maps");
    const std::string text = WorldFix::MapJson("Yard.json", {{0, 3, 0, 1}, {2, 2, 2, 2}},
                                               {"A.json", "B.json", "C.json"});
    rapidjson::Document doc;
    Load(text, doc);
    ASSERT_TRUE(MapManager::Get().SaveMap());
    rapidjson::StringBuffer pretty;
    JsonWriter writer(pretty);
    InitJsonWriter(writer);
    doc.Accept(writer);
    EXPECT_EQ(TestSupport::ReadText(root / "GameData/Maps/Yard.json"), pretty.GetString());

    MapManager::Get().MapName = "../../escape.json";
    EXPECT_FALSE(MapManager::Get().SaveMap());
    EXPECT_FALSE(std::filesystem::exists(root / "../escape.json"));
    // A level whose map could not be read does not write an empty map over the file.
    MapManager::Get().SetMissing("Yard.json");
    EXPECT_FALSE(MapManager::Get().SaveMap());
    EXPECT_EQ(TestSupport::ReadText(root / "GameData/Maps/Yard.json"), pretty.GetString());
    std::filesystem::remove_all(root);
}
