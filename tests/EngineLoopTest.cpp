// The frame loop run for real, headless: start-up, level changes, debug keys, pause, quit,
// the developer switches and the dump.
#include <gtest/gtest.h>

#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "game/player/Player.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"

using TestSupport::MakeMiniDataRoot;
using TestSupport::RunGame;

TEST(EngineLoop, StartsOnTheTitleLevelAndLChangesLevel)
{
    HeadlessGame game(MakeMiniDataRoot("loop"));
    ASSERT_EQ(game.status(), 0);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "MainMenu.json");
    EXPECT_EQ(GameObjectManager::Get().levelName, "MainMenu.json");
    EXPECT_EQ(GameObjectManager::Get().liveCounts[kLayerGameplay], 1);
    game.Tap("L");
    game.Frames(1);
    EXPECT_EQ(GameObjectManager::Get().levelName, "Play.json");
    EXPECT_TRUE(Engine::Get().titleMenuReached);
    game.Tap("L"); // the last entry is never reached by "L": back to the title
    game.Frames(1);
    EXPECT_EQ(GameObjectManager::Get().levelName, "MainMenu.json");
}

TEST(EngineLoop, EscapePausesOnlyOffTheTitleLevel)
{
    HeadlessGame game(MakeMiniDataRoot("pause"));
    ASSERT_EQ(game.status(), 0);
    game.Tap("Escape");
    EXPECT_FALSE(GameObjectManager::Get().paused);
    game.Tap("L");
    game.Frames(1);
    game.Tap("Escape");
    EXPECT_TRUE(GameObjectManager::Get().paused);
    game.Frames(5); // holding nothing: stays paused
    EXPECT_TRUE(GameObjectManager::Get().paused);
    game.Tap("Escape");
    EXPECT_FALSE(GameObjectManager::Get().paused);
}

TEST(EngineLoop, GodModeKeyWorksOffTheTitleLevel)
{
    HeadlessGame game(MakeMiniDataRoot("god"));
    ASSERT_EQ(game.status(), 0);
    Player* player = GameObjectManager::Get().playerSlot->Get<Player>();
    ASSERT_NE(player, nullptr);
    game.Tap("G");
    EXPECT_FALSE(player->godMode);
    game.Tap("L");
    game.Frames(1);
    player = GameObjectManager::Get().playerSlot->Get<Player>();
    game.Tap("G");
    EXPECT_TRUE(player->godMode);
}

TEST(EngineLoop, QuitWithoutAConfirmationMenuEndsTheRun)
{
    HeadlessGame game(MakeMiniDataRoot("quit"));
    ASSERT_EQ(game.status(), 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    InputManager::Get().Inject(quit);
    game.Frames(1);
    EXPECT_FALSE(Engine::Get().running);
}

TEST(EngineLoop, HeadlessFramesAreExactlyOneBudgetLong)
{
    HeadlessGame game(MakeMiniDataRoot("clock"));
    ASSERT_EQ(game.status(), 0);
    game.Frames(3);
    EXPECT_EQ(FrameRateController::Get().frameElapsedMs, 16u);
    EXPECT_FLOAT_EQ(static_cast<float>(FrameRateController::Get().measuredFrameRate), 62.5f);
}

TEST(EngineLoop, PacedFramesLastAtLeastTheBudget)
{
    FrameRateController& clock = FrameRateController::Get();
    SDL_Init(SDL_INIT_TIMER);
    for (int i = 0; i < 3; ++i)
    {
        clock.BeginFrame();
        clock.EndFrame(true);
        EXPECT_GE(clock.frameElapsedMs, 16u);
        EXPECT_LE(clock.measuredFrameRate, 62.5);
    }
}

TEST(EngineLoop, UnknownLevelAndMissingFontStopStartUp)
{
    std::filesystem::path root = MakeMiniDataRoot("startup");
    {
        RunOptions options;
        options.headless = true;
        options.dataDir = root.string();
        options.level = "Nowhere.json";
        EXPECT_EQ(Engine::Get().Init(options), 2);
    }
    std::string out;
    std::filesystem::remove(root / "Fonts" / "Facet_Regular.ttf");
    EXPECT_EQ(RunGame("--headless --frames 5 --data " + root.string(), &out), 1);
    EXPECT_NE(out.find("ERROR LOADING FONT! EXITING!"), std::string::npos);
}

TEST(EngineBinary, RunsScriptedAndWritesTheSnapshot)
{
    std::filesystem::path root = MakeMiniDataRoot("binary");
    TestSupport::WriteText(root, "script.json",
                           R"([{"frame": 2, "type": "keydown", "key": "L"},
                               {"frame": 3, "type": "keyup", "key": "L"},
                               {"frame": 10, "type": "mousemove", "x": 5, "y": 6}])");
    std::string dump = (root / "dump.json").string();
    int status = RunGame("--headless --frames 120 --data " + root.string() + " --input " +
                         (root / "script.json").string() + " --dump " + dump);
    ASSERT_EQ(status, 0);
    std::string text = TestSupport::ReadText(dump);
    rapidjson::Document doc;
    ASSERT_TRUE(ParseJson(text, doc, nullptr)) << text;
    JsonView v(&doc, "dump.json");
    EXPECT_EQ(v["Level"].AsString(""), "Play.json");
    EXPECT_EQ(v["Frame"].AsInt(0), 120);
    EXPECT_FALSE(v["Paused"].AsBool(true));
    EXPECT_TRUE(v["Camera"]["Position"].IsArray());
    ASSERT_EQ(v["Objects"].Size(), 2u);
    EXPECT_EQ(v["Objects"].At(1)["Name"].AsString(""), "Marker.json");
    EXPECT_EQ(v["Objects"].At(1)["Type"].AsString(""), "DEFAULT");
    EXPECT_TRUE(v["Objects"].At(1)["Sections"]["Transform"].IsObject());
    EXPECT_TRUE(v["Player"]["Position"].IsArray());
}

TEST(EngineBinary, RefusesBadSwitchesAndScripts)
{
    std::filesystem::path root = MakeMiniDataRoot("badargs");
    TestSupport::WriteText(root, "bad.json", R"([{"frame": 1, "type": "keydown"}])");
    std::string out;
    EXPECT_EQ(RunGame("--headless --frames 2 --data " + root.string() + " --input " +
                          (root / "bad.json").string(),
                      &out),
              2);
    EXPECT_NE(out.find("bad.json"), std::string::npos);
    EXPECT_EQ(RunGame("--headless --level Nope.json --data " + root.string()), 2);
    EXPECT_EQ(RunGame("--frames many"), 2);
    EXPECT_EQ(RunGame("--bogus"), 2);
}
