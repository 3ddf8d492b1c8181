// Record and play: a scripted recording played back lands the player where the recording did;
// file names, refused files, playback timing, skipping, and recordings closed by a level change.
#include <gtest/gtest.h>

#include <glm/geometric.hpp>

#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "tests/Harness.h"
#include "tests/PlayerTestRig.h"
#include "tests/StoryFixtures.h"
#include "tests/TestSupport.h"

namespace
{
using namespace StoryFixtures;

glm::vec3 HeroAt()
{
    return GameObjectManager::Get().Player()->Get<Transform>()->position;
}

RecordAndPlay* HeroRecord()
{
    return GameObjectManager::Get().Player()->Get<RecordAndPlay>();
}

rapidjson::Document ParseFile(const std::filesystem::path& p)
{
    rapidjson::Document doc;
    ParseJson(TestSupport::ReadText(p), doc, nullptr);
    return doc;
}
} // namespace

TEST(RecordRun, ARecordingPlayedBackEndsWhereItDidAndLevelChangesCloseRecordings)
{
    auto root = MakeRoot("record", {{"Rec.json", Hero(3, 3.5f, R"({"Record": true})")},
                                    {"Play.json", Hero(3, 3.5f, R"({"AutoPlay": true,
                                         "PlayList": ["Record1.json"]})")}});
    HeadlessGame game(root, "Rec.json");
    ASSERT_EQ(game.status(), 0);
    ASSERT_TRUE(HeroRecord()->recording);
    EXPECT_EQ(HeroRecord()->RecordPath(), "GameData/Record/Record1.json");
    game.Frames(10);
    game.KeyDown("D");
    game.Frames(40);
    game.Tap("Space");
    game.Frames(30);
    game.KeyUp("D");
    game.Frames(60);
    const glm::vec3 recorded = HeroAt();
    ASSERT_GT(recorded.x, 8.0f) << "the script should walk the player away from the start";
    game.Tap("F3");
    ASSERT_FALSE(HeroRecord()->recording);
    rapidjson::Document file = ParseFile(root / "GameData/Record/Record1.json");
    ASSERT_TRUE(file.IsArray());
    ASSERT_GE(file.Size(), 4u);
    EXPECT_EQ(file[0][0].GetUint(), 0u);
    EXPECT_EQ(file[1][1].GetUint(), static_cast<unsigned>(kRecD)) << "D went down";
    EXPECT_EQ(file[file.Size() - 1][1].GetUint(), 0u) << "the end marker";

    LevelManager::Get().NextLevel();
    game.Frames(1);
    ASSERT_TRUE(HeroRecord()->IsPlaying());
    int frames = 0;
    while (HeroRecord()->IsPlaying() && frames++ < 2000) game.Frames(1);
    game.Frames(5);
    EXPECT_LT(glm::distance(HeroAt(), recorded), 0.01f);

    // F2 records into the next free name; a save still says what the level said; leaving the
    // level closes the file properly.
    game.Tap("F2");
    ASSERT_TRUE(HeroRecord()->recording);
    EXPECT_EQ(HeroRecord()->RecordPath(), "GameData/Record/Record2.json");
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    HeroRecord()->Serialize(writer);
    writer.EndObject();
    EXPECT_NE(std::string(buffer.GetString()).find("\"Record\": false"), std::string::npos);
    game.Frames(3);
    LevelManager::Get().NextLevel();
    game.Frames(1);
    rapidjson::Document second = ParseFile(root / "GameData/Record/Record2.json");
    ASSERT_TRUE(second.IsArray());
    EXPECT_GE(second.Size(), 2u);
}

TEST(RecordFiles, TheTenthNameIsDecimalAndNoFileIsOverwritten)
{
    auto root = TestSupport::MakeTempDir("recnames");
    for (int i = 1; i <= 9; ++i)
        TestSupport::WriteText(root, "GameData/Record/Record" + std::to_string(i) + ".json", "[]");
    Files::SetDataRoot(root.string());
    uint32_t n = 1;
    EXPECT_EQ(FreeRecordName(n), "GameData/Record/Record10.json");
    EXPECT_EQ(n, 10u);
    n = 1;
    EXPECT_EQ(FreeRecordName(n), "GameData/Record/Record11.json") << "10 is handed out already";
}

TEST(RecordFiles, MalformedFilesAreRefused)
{
    struct Case
    {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"[[0,0,0,0,0,0],[16,0,0,0,0,0]]", true},
        {"[[0,0,0,0,0,0],[16,4,0,0,1.5,2],[32,0,4,0,0.5,2],[48,0,0,0,0,0]]", true},
        {"[]", false},
        {"[[0,0,0,0,0,0]]", false},
        {"{\"a\": 1}", false},
        {"[[0,0,0,0,0,0],[16,0,0,0,0]]", false},
        {"[[0,0,0,0,0,0],[16,0,0,0,0,0,0]]", false},
        {"[[0,0,0,0,0,0],[16,\"4\",0,0,0,0]]", false},
        {"[[0,0,0,0,0,0],[16,-4,0,0,0,0]]", false},
        {"[[0,0,0,0,0,0],7]", false},
        {"[[0,0,0,0,0,0],[32,0,0,0,0,0],[16,0,0,0,0,0]]", false},
    };
    for (const Case& c : cases)
    {
        rapidjson::Document doc;
        ASSERT_TRUE(ParseJson(c.text, doc, nullptr)) << c.text;
        std::vector<RecordEntry> entries;
        EXPECT_EQ(ReadRecord(JsonView(&doc, "t.json"), "t.json", entries), c.ok) << c.text;
        EXPECT_TRUE(c.ok || entries.empty());
    }
}

TEST(RecordPlayback, EntriesApplyOnTheFrameTheirTimeIsReachedAndSkippingPostsTheEnd)
{
    PlayerRig rig;
    ResourceManager::Get().AddDocument("GameData/Record/T.json",
                                       "[[0,0,0,0,0,0],[100,4,0,2,1.5,2.5],[150,0,0,0,0,0]]");
    RecordAndPlay& rp = *rig.record;
    rp.playList = {"T.json", "Missing.json"};
    rp.jump = rp.endJump = true;
    ASSERT_TRUE(rp.StartPlaying());
    for (int i = 0; i <= 6; ++i) rp.Update();
    EXPECT_EQ(rp.pressedKeys, 0u) << "playTime 96 is short of 100";
    rp.Update(); // playTime 112
    EXPECT_EQ(rp.pressedKeys, static_cast<uint32_t>(kRecD));
    EXPECT_EQ(rp.heldKeys, static_cast<uint32_t>(kRecD));
    EXPECT_EQ(rp.mouseButtons, 2u);
    EXPECT_FLOAT_EQ(rp.aimPoint.y, 2.5f);
    rp.Update();
    EXPECT_EQ(rp.pressedKeys, 0u) << "pressed lasts one frame";
    EXPECT_EQ(rp.heldKeys, static_cast<uint32_t>(kRecD)) << "held lasts";
    rp.Update();
    PlayerRig::Key("Escape", true);
    InputManager::Get().Update();
    EXPECT_TRUE(rp.IsPlaying());
    rp.Update(); // playTime 160: the end marker; Escape skips in the same frame
    EXPECT_FALSE(rp.IsPlaying());
    int ends = 0;
    for (const Event& e : EventManager::Get().events) ends += e.inUse && e.type == kEventLevelEnd;
    EXPECT_EQ(ends, 3) << "the skip, then the end once for Jump and once for EndJump";
    EXPECT_FALSE(rp.StartPlaying()) << "a missing file is refused";
    EXPECT_FALSE(rp.StartPlaying()) << "the list is used up";
}
