// Every scripted run under tests/runs finishes its level: replayed headless through the real
// binary, the game ends on the next level of the list with no life lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/data/Json.h"
#include "tests/TestSupport.h"

TEST(LevelRuns, EveryScriptedRunReachesTheNextLevel)
{
    struct Row
    {
        const char* next;
        int frames;
    };
    const std::map<std::string, Row> rows = {
        {"Level1.json", {"Level2.json", 1520}},
        {"Level2.json", {"Level3.json", 2000}},
        {"Level3.json", {"Level4.json", 1850}},
        {"Level4.json", {"MovingTurLevel.json", 3130}},
        {"MovingTurLevel.json", {"Level5.json", 1520}},
        {"Level5.json", {"GuardCutscene.json", 4010}},
        {"RobotLevel.json", {"Level6.json", 1200}},
        {"Level6.json", {"Level7.json", 3280}},
        {"Level7.json", {"Level8.json", 4340}},
        {"Level8.json", {"EndLevel.json", 4000}},
        {"GuardCutscene.json", {"RobotCutscene.json", 940}},
        {"RobotCutscene.json", {"RobotLevel.json", 1030}},
        {"EndLevel.json", {"Credits.json", 490}},
        {"Credits.json", {"MainMenu.json", 230}},
        {"AutoLevel.json", {"MainMenu.json", 330}}, // a click ends the attract demo
    };
    const auto runs = TestSupport::ShippedData().parent_path() / "tests/runs";
    int replayed = 0;
    for (const auto& file : std::filesystem::directory_iterator(runs))
    {
        const std::string level = file.path().filename().string();
        if (level == "WholeGame.json") continue; // the whole game has its own test
        SCOPED_TRACE(level);
        auto row = rows.find(level);
        ASSERT_NE(row, rows.end()) << "a run without a row of this table";
        auto dir = TestSupport::MakeTempDir("run");
        const std::string dump = (dir / "dump.json").string();
        ASSERT_EQ(TestSupport::RunGame("--headless --level " + level + " --frames " +
                                       std::to_string(row->second.frames) + " --input " +
                                       file.path().string() + " --dump " + dump),
                  0);
        rapidjson::Document doc;
        ASSERT_TRUE(ParseJson(TestSupport::ReadText(dump), doc, nullptr));
        JsonView root(&doc, "dump");
        std::string reached;
        int life = 0;
        root.Read("Level", reached);
        root["Player"].Read("Life", life);
        EXPECT_EQ(reached, row->second.next);
        if (std::string(row->second.next) != "MainMenu.json") // the title has no hero
        {
            EXPECT_EQ(life, 3);
        }
        ++replayed;
    }
    EXPECT_EQ(replayed, static_cast<int>(rows.size()));
}
