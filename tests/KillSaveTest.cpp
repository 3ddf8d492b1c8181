// Writes survive interruption: a child process saving over and over is killed with SIGKILL at
// 100 random moments; every time, each file it writes is there whole, old or new, and loads.
#include <gtest/gtest.h>

#if defined(_WIN32)
// The kills need fork and SIGKILL. Windows replaces files by its own atomic call (MoveFileExW),
// which the save tests exercise; only the killing is not repeated there.
TEST(KillSave, TheSavedGameIsAlwaysOldOrNewAndLoads)
{
    GTEST_SKIP() << "needs fork and SIGKILL (POSIX)";
}
TEST(KillSave, TheEditorsLevelAndMapAreAlwaysOldOrNewAndLoad)
{
    GTEST_SKIP() << "needs fork and SIGKILL (POSIX)";
}
#else
#include <csignal>
#include <cstdio>
#include <functional>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

#include "editor/LevelEditor.h"
#include "engine/data/LevelFile.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
constexpr int kKills = 100;

fs::path KillRoot()
{
    fs::path root = WorldFix::MakeDataRoot("kill", {"A.json"});
    WorldFix::WriteCommonArchetypes(root);
    TestSupport::WriteText(
        root, "GameData/Maps/M.json",
        WorldFix::MapJson("M.json", {{0, 0, 0, 0}, {1, 1, 1, 1}}, {"Ground.json"}));
    WorldFix::WriteLevel(root, "A.json", "M.json",
                         {{"Hero.json", 2.0f, 3.0f}, {"Crate.json", 1.0f, 1.0f}});
    return root;
}

// Puts the world in state 0 or 1: the crate moves and a map cell changes, so both the level
// and the map text differ between the two.
void SetState(int state)
{
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [state](GameObject& o)
                                           {
                                               if (o.name != "Crate.json") return;
                                               if (Transform* t = o.Get<Transform>())
                                                   t->position.x = 1.0f + state;
                                           });
    MapManager& map = MapManager::Get();
    if (!map.IndexGrid.empty()) map.IndexGrid[0] = state;
}

// What the child saves, the files it lands in, and the text each holds in either state.
struct Saver
{
    std::function<bool()> save;
    std::vector<std::pair<fs::path, std::function<std::string()>>> files;
};

// The child: starts the game, writes the two texts of every file beside it ("<file>.0",
// "<file>.1"), saves state 0, says it is ready, then saves state 1, 0, 1, ... until killed.
[[noreturn]] void SaveForever(const fs::path& root, int ready, const Saver& saver)
{
    if (!std::freopen("/dev/null", "w", stdout)) _exit(3);
    HeadlessGame game(root, "A.json");
    if (game.status() != 0) _exit(4);
    for (int state = 0; state < 2; ++state)
    {
        SetState(state);
        for (const auto& file : saver.files)
            TestSupport::WriteText(file.first.parent_path(),
                                   file.first.filename().string() + "." + std::to_string(state),
                                   file.second());
    }
    // State 0 is on disk before the first kill can come: the old file is always this child's.
    SetState(0);
    if (!saver.save() || write(ready, "r", 1) != 1) _exit(5);
    for (int state = 1;; state ^= 1)
    {
        SetState(state);
        if (!saver.save()) _exit(6);
    }
}

// Kills a saving child at kKills random moments; after each, every file is one of its two
// texts. Returns how many kills found a file in state 1 (so both states were seen).
int KillAtRandom(const fs::path& root, const Saver& saver)
{
    std::mt19937 random(14);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    int newer = 0;
    for (int round = 0; round < kKills; ++round)
    {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0)
        {
            close(fds[0]);
            SaveForever(root, fds[1], saver);
        }
        close(fds[1]);
        char byte = 0;
        EXPECT_EQ(read(fds[0], &byte, 1), 1) << "the child never got ready";
        close(fds[0]);
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
        for (const auto& file : saver.files)
        {
            std::string now = TestSupport::ReadText(file.first);
            std::string old = TestSupport::ReadText(file.first.string() + ".0");
            std::string fresh = TestSupport::ReadText(file.first.string() + ".1");
            EXPECT_TRUE(now == old || now == fresh)
                << file.first << " after kill " << round << " is neither whole text (" << now.size()
                << " bytes)";
            if (now == fresh && now != old) ++newer;
        }
    }
    return newer;
}

fs::path UseTempHome()
{
    fs::path home;
    TestSupport::UseTempPrefFolder("killhome", home);
    return home;
}
} // namespace

TEST(KillSave, TheSavedGameIsAlwaysOldOrNewAndLoads)
{
    fs::path home = UseTempHome();
    fs::path root = KillRoot();
    Saver saver;
    saver.save = [] { return LevelManager::Get().SaveGame(); };
    // The preference folder the harness hands the engine under this home.
    fs::path save = home / "Corvane" / "Bellrun" / "save.json";
    saver.files.push_back({save, [] { return LevelText(); }});
    int newer = KillAtRandom(root, saver);
    EXPECT_GT(newer, 0);
    EXPECT_LT(newer, kKills);
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    ASSERT_EQ(fs::path(LevelManager::Get().SavePath()), save);
    for (const char* state : {".0", ".1", ""})
        EXPECT_TRUE(LevelManager::Get().LoadSaveText(TestSupport::ReadText(save.string() + state),
                                                     save.string()))
            << state;
    fs::remove_all(root);
    fs::remove_all(home);
}

TEST(KillSave, TheEditorsLevelAndMapAreAlwaysOldOrNewAndLoad)
{
    fs::path home = UseTempHome();
    fs::path root = KillRoot();
    Saver saver;
    saver.save = [] { return LevelEditor::Get().SaveLevelAndMap(); };
    saver.files.push_back({root / "GameData/Levels/A.json", [] { return LevelText(); }});
    saver.files.push_back(
        {root / "GameData/Maps/M.json", [] { return MapManager::Get().MapText(); }});
    int newer = KillAtRandom(root, saver);
    EXPECT_GT(newer, 0);
    // Whatever the kills left, the game starts on it and the level has its map and objects.
    HeadlessGame game(root, "A.json");
    ASSERT_EQ(game.status(), 0);
    EXPECT_EQ(MapManager::Get().Width, 4);
    EXPECT_GT(GameObjectManager::Get().liveCounts[kLayerGameplay], 0);
    fs::remove_all(root);
    fs::remove_all(home);
}
#endif
