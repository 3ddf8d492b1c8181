// The level editor without a window: open with F1, stop the simulation, pick and drag with the
// mouse, place from a palette, delete, paint and erase tiles, refuse bad names, save, and a
// fresh run of the saved level comes back exactly as edited. One behaviour a test, so the first
// failure does not hide the rest.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <tuple>
#include <vector>

#include "editor/LevelEditor.h"
#include "engine/core/InputManager.h"
#include "engine/core/StateDump.h"
#include "engine/data/MapManager.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/enemies/SecurityCamera.h"
#include "tests/EditorFixture.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
struct Placed
{
    int layer;
    std::string name;
    float x, y;
    bool operator<(const Placed& o) const
    {
        return std::tie(layer, name, x) < std::tie(o.layer, o.name, o.x);
    }
};

// The objects a level file brings back (not the cones and the aim marker their owners remake).
std::vector<Placed> Saved(const std::string& dumpPath)
{
    rapidjson::Document doc;
    EXPECT_TRUE(ParseJson(TestSupport::ReadText(dumpPath), doc, nullptr));
    std::vector<Placed> out;
    JsonView objects = JsonView(&doc, "dump")["Objects"];
    for (size_t i = 0; i < objects.Size(); ++i)
    {
        JsonView o = objects.At(i);
        std::string name = o["Name"].AsString("");
        int layer = o["Layer"].AsInt(-1);
        if (name == "GuardFOV.json" || name == "CameraFOV.json" || name == "Aimbox.json" ||
            layer == kLayerMap)
            continue;
        float p[3] = {0, 0, 0};
        o.ReadFloats("Position", p, 3);
        out.push_back({layer, name, p[0], p[1]});
    }
    std::sort(out.begin(), out.end());
    return out;
}

GameObject* Named(const std::string& name)
{
    return NamedGameplayObject(name);
}
} // namespace

// Stopped: bodies and timers stand still; events and drawing go on.
TEST_F(EditorSession, StopsTheSimulationAndResetsToInitial)
{
    editor().allObjectsWork = false;
    const glm::vec3 guardAt = guard->Get<Transform>()->position;
    SecurityCamera* sweep = nullptr;
    GameObjectManager::Get().ForEachActive(
        kLayerGameplay,
        [&](GameObject& o) { sweep = o.Get<SecurityCamera>() ? o.Get<SecurityCamera>() : sweep; });
    ASSERT_NE(sweep, nullptr);
    const int timer = sweep->Timer;
    game->Frames(10);
    EXPECT_EQ(guard->Get<Transform>()->position, guardAt);
    EXPECT_EQ(sweep->Timer, timer);
    EXPECT_GT(GraphicsManager::Get().spritesDrawn, 0);
    editor().SetBackToInitial();
    game->Frames(2);
    EXPECT_EQ(sweep->Timer, 1000) << "the reset event is delivered while stopped";
}

TEST_F(EditorSession, ClickPicksTheObjectUnderTheMouse)
{
    editor().allObjectsWork = false;
    Send::MouseMove(640, 500);
    game->Frames(1);
    const glm::vec3 at = InputManager::Get().GetMouseWorldPosition();
    guard->Get<Transform>()->position = glm::vec3(at.x, at.y, 0.0f);
    Send::MouseButton(true, 640, 500);
    game->Frames(1);
    Send::MouseButton(false, 640, 500);
    game->Frames(1);
    EXPECT_EQ(editor().Selected(), guard);
    EXPECT_EQ(editor().layer, kLayerGameplay);
}

TEST_F(EditorSession, DragMovesThePickedObjectSnappedToTheGrid)
{
    const glm::vec3 grab = DragGuardSnapped();
    const glm::vec3 dropped = guard->Get<Transform>()->position;
    EXPECT_GT(dropped.x, grab.x + 2.0f);
    EXPECT_EQ(dropped.x, std::round(dropped.x)) << "snapped to the grid";
    EXPECT_FLOAT_EQ(dropped.y, 3.45f) << "standing on the ground";
}

TEST_F(EditorSession, PaletteEntryIsPlacedAtTheNextClick)
{
    GameObject* charger = PlaceChargerByClick();
    ASSERT_NE(charger, nullptr);
    EXPECT_EQ(editor().Selected(), charger);
    EXPECT_EQ(editor().armedLayer, 0) << "placed once, then the click picks again";
    ASSERT_NE(editor().Place(kLayerGameplay, 1, glm::vec2(12.0f, 3.3f)), nullptr);
    EXPECT_EQ(editor().Place(kLayerGameplay, 2, glm::vec2(12.0f, 3.3f)), nullptr) << "no entry 2";
}

TEST_F(EditorSession, DeleteRemovesTheSelectedObjectButNotThePlayer)
{
    ASSERT_NE(PlaceChargerByClick(), nullptr);
    game->Tap("Delete");
    game->Frames(1);
    EXPECT_EQ(Named("EmpCharger.json"), nullptr);
    EXPECT_EQ(editor().Selected(), nullptr);
    editor().Select(GameObjectManager::Get().Player());
    game->Tap("Delete");
    game->Frames(1);
    EXPECT_NE(GameObjectManager::Get().Player(), nullptr);
}

TEST_F(EditorSession, PaintsAndErasesMapTiles)
{
    MapManager& map = MapManager::Get();
    ASSERT_NE(editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f)), nullptr);
    EXPECT_NE(map.IndexAt(16, 7), 0);
    EXPECT_TRUE(map.Solid(16, 7));
    ASSERT_NE(map.IndexAt(40, 2), 0);
    EXPECT_TRUE(editor().Erase(glm::vec2(40.0f, 2.0f)));
    EXPECT_EQ(map.IndexAt(40, 2), 0);
    EXPECT_FALSE(map.Solid(40, 2));
    EXPECT_FALSE(editor().Erase(glm::vec2(40.0f, 2.0f))) << "an empty cell holds nothing";
    game->Frames(1);
}

// Names that would write outside the level folder are refused, and nothing is written; a good
// name writes the map and the level.
TEST_F(EditorSession, SaveRefusesBadNamesAndWritesMapAndLevel)
{
    std::string& levelName = GameObjectManager::Get().levelName;
    for (const char* bad : {"", "../Edit.json", "a/b.json", "c:Edit.json", "x\\y.json"})
    {
        levelName = bad;
        EXPECT_FALSE(editor().SaveLevelAndMap()) << bad;
    }
    EXPECT_FALSE(fs::exists(root / "GameData/Edit.json"));
    levelName = "Edit.json";
    ASSERT_TRUE(editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f)));
    const auto mapWritten = fs::last_write_time(root / "GameData/Maps/Level1Map.json");
    ASSERT_TRUE(editor().SaveLevelAndMap());
    EXPECT_GE(fs::last_write_time(root / "GameData/Maps/Level1Map.json"), mapWritten);
    rapidjson::Document mapDoc;
    ASSERT_TRUE(
        ParseJson(TestSupport::ReadText(root / "GameData/Maps/Level1Map.json"), mapDoc, nullptr));
    EXPECT_EQ(mapDoc["ObjectList"].Size(), MapManager::Get().ObjectNames.size() - 1);
    const std::string level = TestSupport::ReadText(root / "GameData/Levels/Edit.json");
    EXPECT_NE(level.find("Guard.json"), std::string::npos);
}

// A fresh run of the saved level holds what was edited (after its first frame of play).
TEST_F(EditorSession, FreshRunOfTheSavedLevelHoldsTheEdits)
{
    DragGuardSnapped();
    ASSERT_NE(PlaceChargerByClick(), nullptr);
    ASSERT_NE(editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f)), nullptr);
    EXPECT_TRUE(editor().Erase(glm::vec2(40.0f, 2.0f)));
    game->Frames(1);
    ASSERT_TRUE(editor().SaveLevelAndMap());
    const std::string before = (root / "before.json").string();
    ASSERT_TRUE(WriteStateDump(before));

    const std::string after = (root / "after.json").string();
    ASSERT_EQ(TestSupport::RunGame("--headless --data " + root.string() +
                                   " --level Edit.json --frames 2 --dump " + after),
              0);
    const auto reloaded = Saved(after), edited = Saved(before);
    ASSERT_EQ(reloaded.size(), edited.size());
    for (size_t i = 0; i < edited.size(); ++i)
    {
        SCOPED_TRACE(edited[i].name);
        EXPECT_EQ(reloaded[i].layer, edited[i].layer);
        EXPECT_EQ(reloaded[i].name, edited[i].name);
        // One frame of play has passed in the fresh run: a guard's step, nothing more.
        EXPECT_NEAR(reloaded[i].x, edited[i].x, 0.15f);
        EXPECT_NEAR(reloaded[i].y, edited[i].y, 0.05f);
    }
    rapidjson::Document mapDoc;
    ASSERT_TRUE(
        ParseJson(TestSupport::ReadText(root / "GameData/Maps/Level1Map.json"), mapDoc, nullptr));
    EXPECT_EQ(mapDoc["ObjectList"].Size(), MapManager::Get().ObjectNames.size() - 1)
        << "the painted tile's name is in the saved map";
}
