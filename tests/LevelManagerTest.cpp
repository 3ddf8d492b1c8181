// The level list: order of play, the wrap before the last entry, and requests made in one frame.
#include <gtest/gtest.h>

#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
const std::vector<std::string> kFive = {"Title.json", "A.json", "B.json", "C.json", "E.json"};

// Five small levels on one map, each with a crate at its own x so a load can be told apart.
fs::path FiveLevelRoot()
{
    fs::path root = WorldFix::MakeDataRoot("levels", kFive);
    WorldFix::WriteCommonArchetypes(root);
    TestSupport::WriteText(
        root, "GameData/Maps/M.json",
        WorldFix::MapJson("M.json", {{0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}}, {"Ground.json"}));
    for (size_t i = 0; i < kFive.size(); ++i)
        WorldFix::WriteLevel(root, kFive[i], "M.json", {{"Crate.json", 10.0f + i, 3.0f}});
    return root;
}

float CrateX()
{
    float x = -1.0f;
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [&](GameObject& o)
                                           {
                                               if (o.name == "Crate.json")
                                                   x = o.Get<Transform>()->position.x;
                                           });
    return x;
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
} // namespace

TEST(LevelManager, NextRunsThroughTheListAndWrapsBeforeTheLastEntry)
{
    fs::path root = FiveLevelRoot();
    Files::SetDataRoot(root.string());
    LevelManager& levels = LevelManager::Get();
    ASSERT_EQ(levels.levels, kFive);
    EXPECT_EQ(levels.GetCurrentLevelName(), "Title.json");
    std::vector<std::string> seen;
    for (int i = 0; i < 5; ++i)
    {
        levels.NextLevel();
        seen.push_back(levels.GetCurrentLevelName());
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"A.json", "B.json", "C.json", "Title.json", "A.json"}));
    levels.GoToLastLevel();
    EXPECT_EQ(levels.GetCurrentLevelName(), "E.json");
    levels.NextLevel(); // from the last entry too
    EXPECT_EQ(levels.GetCurrentLevelName(), "Title.json");
    fs::remove_all(root);
}

TEST(LevelManager, PreviousOnTheTitleStaysButStillAsksForAReload)
{
    fs::path root = FiveLevelRoot();
    Files::SetDataRoot(root.string());
    LevelManager& levels = LevelManager::Get();
    levels.levelChangePending = false;
    levels.PreviousLevel();
    EXPECT_EQ(levels.GetCurrentLevelName(), "Title.json");
    EXPECT_TRUE(levels.levelChangePending);
    levels.NextLevel();
    levels.NextLevel();
    levels.PreviousLevel();
    EXPECT_EQ(levels.GetCurrentLevelName(), "A.json");
    fs::remove_all(root);
}

TEST(LevelManager, TheBossLevelSwitchesTheMusicAndLeavingItRestartsTheTheme)
{
    fs::path root = WorldFix::MakeDataRoot(
        "music", {"Title.json", "Level7.json", "Level8.json", "Level9.json", "End.json"});
    Files::SetDataRoot(root.string());
    LevelManager& levels = LevelManager::Get();
    Engine& engine = Engine::Get();
    levels.NextLevel();
    EXPECT_TRUE(engine.musicStarted); // the theme starts with play
    levels.NextLevel();
    ASSERT_EQ(levels.GetCurrentLevelName(), "Level8.json");
    EXPECT_FALSE(engine.musicStarted); // the boss track replaced it
    levels.NextLevel();
    EXPECT_TRUE(engine.musicStarted); // and the theme comes back after
    levels.RestartLevel();
    EXPECT_TRUE(engine.musicStarted);
    fs::remove_all(root);
}

TEST(LevelManager, RequestsInOneFrameLoadTheFinalChoiceOnce)
{
    fs::path root = FiveLevelRoot();
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    EXPECT_FLOAT_EQ(CrateX(), 11.0f);
    LevelManager& levels = LevelManager::Get();
    testing::internal::CaptureStdout();
    levels.NextLevel();
    levels.RestartLevel();
    levels.NextLevel();
    game.Frames(1);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Count(out, "Serializing Level : "), 1);
    EXPECT_EQ(levels.GetCurrentLevelName(), "C.json");
    EXPECT_FLOAT_EQ(CrateX(), 13.0f);
    EXPECT_FALSE(levels.levelChangePending);
    EXPECT_EQ(CameraManager::Get().cameras.size(), 1u);
    fs::remove_all(root);
}

TEST(LevelManager, AMissingLevelFileLeavesAnEmptyLevelAndTheGameRuns)
{
    fs::path root = FiveLevelRoot();
    fs::remove(root / "GameData/Levels/B.json");
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    testing::internal::CaptureStdout();
    LevelManager::Get().NextLevel();
    game.Frames(3);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("GameData/Levels/B.json"), std::string::npos);
    EXPECT_EQ(CrateX(), -1.0f);
    LevelManager::Get().NextLevel();
    game.Frames(1);
    EXPECT_FLOAT_EQ(CrateX(), 13.0f);
    fs::remove_all(root);
}
