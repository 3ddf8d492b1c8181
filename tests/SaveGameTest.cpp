// The saved game in the real preference folder: a round trip, writes that fail part-way, and
// save files that must be refused.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
// A home of our own, so the preference folder is a fresh temp folder. Must run before the
// engine starts: the folder is asked for once, at start-up. The user's folder in it is named
// with a space and an accented letter, as many Windows users' are.
fs::path UseTempHome()
{
    fs::path home;
    TestSupport::UseTempPrefFolder("home", home, u8"Zo\u00eb Ann");
    return home;
}

fs::path SaveRoot()
{
    fs::path root = WorldFix::MakeDataRoot("save", {"Title.json", "A.json", "B.json", "End.json"});
    WorldFix::WriteCommonArchetypes(root);
    TestSupport::WriteText(root, "GameData/Maps/M.json",
                           WorldFix::MapJson("M.json",
                                             {{0, 0, 0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1, 1}},
                                             {"Ground.json"}));
    WorldFix::WriteLevel(root, "Title.json", "M.json", {});
    WorldFix::WriteLevel(root, "A.json", "M.json",
                         {{"Hero.json", 2.0f, 3.0f}, {"Crate.json", 5.0f, 1.0f}});
    WorldFix::WriteLevel(root, "B.json", "M.json", {{"Crate.json", 6.0f, 1.0f}});
    WorldFix::WriteLevel(root, "End.json", "M.json", {});
    return root;
}

GameObject* Crate()
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [&](GameObject& o)
                                           {
                                               if (o.name == "Crate.json") found = &o;
                                           });
    return found;
}

void LoadSave(HeadlessGame& game)
{
    LevelManager::Get().loadFromSave = true;
    LevelManager::Get().levelChangePending = true;
    game.Frames(1);
}

struct SaveGame : testing::Test
{
    void SetUp() override
    {
        home = UseTempHome();
        root = SaveRoot();
    }
    void TearDown() override
    {
        Files::SimulateWriteFailureAfter(-1);
        fs::remove_all(root);
        fs::remove_all(home);
    }
    fs::path SavePath() const { return fs::u8path(LevelManager::Get().SavePath()); }
    fs::path home, root;
};
} // namespace

TEST_F(SaveGame, LoadingTheSaveReturnsToTheSavedLevelAndPlacement)
{
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    game.Frames(60); // the hero falls onto the ground
    Crate()->Get<Transform>()->position.x = 6.5f;
    glm::vec3 hero = GameObjectManager::Get().Player()->Get<Transform>()->position;
    ASSERT_TRUE(LevelManager::Get().SaveGame());
    // It really is in the preference folder under our temp home.
    EXPECT_EQ(SavePath().string().rfind(home.string(), 0), 0u);
    EXPECT_TRUE(fs::exists(SavePath()));
    EXPECT_FALSE(fs::exists(SavePath().string() + ".tmp"));

    LevelManager::Get().NextLevel();
    game.Frames(2);
    ASSERT_EQ(LevelManager::Get().GetCurrentLevelName(), "B.json");
    EXPECT_EQ(GameObjectManager::Get().Player(), nullptr);

    LoadSave(game);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "A.json");
    ASSERT_NE(GameObjectManager::Get().Player(), nullptr);
    EXPECT_EQ(GameObjectManager::Get().Player()->Get<Transform>()->position, hero);
    EXPECT_FLOAT_EQ(Crate()->Get<Transform>()->position.x, 6.5f);
    EXPECT_EQ(CameraManager::Get().cameras.size(), 1u);
    // Play goes on from the saved level.
    LevelManager::Get().NextLevel();
    game.Frames(1);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "B.json");
}

TEST_F(SaveGame, AWriteThatFailsPartWayLeavesThePreviousSaveWhole)
{
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    ASSERT_TRUE(LevelManager::Get().SaveGame());
    const std::string good = TestSupport::ReadText(SavePath());
    ASSERT_GT(good.size(), 100u);
    Crate()->Get<Transform>()->position.x = 7.0f; // so a new save would differ
    const long size = static_cast<long>(LevelText().size());
    ASSERT_NE(LevelText(), good);
    for (long k = 0; k < size; k += (k < 64 ? 1 : 37))
    {
        Files::SimulateWriteFailureAfter(k);
        EXPECT_FALSE(LevelManager::Get().SaveGame()) << "k " << k;
        ASSERT_EQ(TestSupport::ReadText(SavePath()), good) << "k " << k;
        EXPECT_FALSE(fs::exists(SavePath().string() + ".tmp")) << "k " << k;
    }
    Files::SimulateWriteFailureAfter(-1);
    LoadSave(game);
    EXPECT_FLOAT_EQ(Crate()->Get<Transform>()->position.x, 5.0f); // the old save's crate
}

TEST_F(SaveGame, BadSaveFilesAreRefusedAndTheRunningLevelStays)
{
    HeadlessGame game(root, "B.json");
    ASSERT_EQ(game.status(), 0);
    const std::string bad[] = {
        "",                                          // missing below
        "{\"Name\": \"A.json\", \"GameObjects\": [", // cut short
        std::string(100000, '['),                    // nested past any sane depth
        "[1, 2, 3]",                                 // not a level document
        R"({"Name": 4, "GameObjects": []})",
        R"({"Name": "A.json", "GameObjects": {}})",
        R"({"Name": "A.json", "GameObjects": [{"Name": "Dragon.json"}]})",
        R"({"Name": "A.json", "GameObjects": [7]})",
    };
    Camera* camera = CameraManager::Get().GetCurrentCamera();
    ASSERT_NE(camera, nullptr);
    for (size_t i = 0; i < std::size(bad); ++i)
    {
        SCOPED_TRACE(i);
        if (i == 0)
            fs::remove(SavePath());
        else
            TestSupport::WriteText(SavePath().parent_path(), "save.json", bad[i]);
        testing::internal::CaptureStdout();
        LoadSave(game);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("save: " + SavePath().u8string()), std::string::npos) << out;
        EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "B.json");
        ASSERT_NE(Crate(), nullptr);
        EXPECT_FLOAT_EQ(Crate()->Get<Transform>()->position.x, 6.0f);
        ASSERT_EQ(CameraManager::Get().cameras.size(), 1u);
        EXPECT_EQ(CameraManager::Get().GetCurrentCamera(), camera);
    }
    game.Frames(5); // and the game runs on
}
