// The boundary table: every hostile shape of data a player's disk can hold, through the same
// loaders the fuzzers drive. Each is answered with a line naming the file and the key, the
// defaults stay, and nothing crashes. One table-driven test per group.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "fuzz/FuzzSupport.h"
#include "game/menus/ButtonList.h"
#include "game/story/RecordFile.h"
#include "tests/TestSupport.h"

namespace
{
// Runs the named fuzz target on text and returns what it printed.
std::string Load(const char* target, const std::string& text)
{
    Fuzz::Target run = Fuzz::Find(target);
    EXPECT_NE(run, nullptr) << target;
    if (!run) return std::string();
    testing::internal::CaptureStdout();
    run(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return testing::internal::GetCapturedStdout();
}

// A line of out that names both file and key.
testing::AssertionResult Answers(const std::string& out, const std::string& file,
                                 const std::string& key)
{
    size_t start = 0;
    while (start < out.size())
    {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        std::string line = out.substr(start, end - start);
        if (line.find(file) != std::string::npos && line.find(key) != std::string::npos)
            return testing::AssertionSuccess();
        start = end + 1;
    }
    return testing::AssertionFailure() << "no line names " << file << " and " << key << " in:\n"
                                       << out.substr(0, 4000);
}

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

std::string Shipped(const std::string& relative)
{
    std::ifstream in(TestSupport::ShippedData() / relative, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The first active object of the gameplay and menu layers: what an archetype input made.
GameObject* Made()
{
    GameObject* found = nullptr;
    for (int layer : {kLayerGameplay, kLayerMenu, kLayerPlayer, kLayerHud})
        GameObjectManager::Get().ForEachActive(layer,
                                               [&found](GameObject& o)
                                               {
                                                   if (!found) found = &o;
                                               });
    return found;
}

// An archetype with one sprite section around `sprite`.
std::string SpriteArchetype(const std::string& sprite)
{
    return R"({"Type": "GUARD", "Transform": {"Position": [1, 2, 0]}, "Sprite": {"Static": "true", )" +
           sprite + "}}";
}

struct Row
{
    const char* target;
    std::string text;
    const char* file;
    const char* key;
};

void ExpectAnswers(const std::vector<Row>& rows)
{
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.target) + ": " + row.text.substr(0, 80));
        EXPECT_TRUE(Answers(Load(row.target, row.text), row.file, row.key));
    }
}
} // namespace

TEST(Boundary, JsonNestedHundredThousandDeep)
{
    const std::string deep = Repeat("[", 100000) + Repeat("]", 100000);
    const std::string deepObject = Repeat(R"({"a":)", 100000) + "0" + Repeat("}", 100000);
    ExpectAnswers({
        {"Level", deep, "FuzzLevel.json", ""},
        {"Level", R"({"Name": "L", "GameObjects": )" + deep + "}", "FuzzLevel.json", "GameObjects"},
        {"Level", R"({"Name": )" + deepObject + R"(, "GameObjects": []})", "FuzzLevel.json",
         "Name"},
        {"Archetype", deep, "FuzzLevel.json", "FuzzArchetype.json"},
        {"Archetype", R"({"Type": "GUARD", "Transform": {"Position": )" + deepObject + "}}",
         "FuzzArchetype.json", "Position"},
        {"Map", deep, "FuzzMap.json", ""},
        {"Map", R"({"Name": "M", "Width": 2, "Height": 2, "MapObjectData": )" + deep + "}",
         "FuzzMap.json", "MapObjectData"},
        {"Save", deep, "save.json", ""},
        {"Menu", R"({"Type": "MENU", "Buttons": )" + deep + "}", "FuzzMenu.json", "Buttons"},
        {"Settings", deep, "settings.json", ""},
        {"LevelList", deep, "LevelList.json", ""},
        {"Preload", deep, "PreLoad.json", ""},
        {"Palette", R"({"Map": )" + deep + "}", "LevelEditor.json", "Map"},
        {"Record", deep, "Fuzz.json", ""},
        {"Script", deep, "script.json", ""},
    });
}

TEST(Boundary, MeshOfTwoHundredAndOneAndAMillionFloats)
{
    auto mesh = [](int vertices, int floats)
    {
        std::string data = Repeat("0.5,", static_cast<size_t>(floats) - 1) + "0.5";
        return SpriteArchetype(R"("Mesh": {"VertexNumber": )" + std::to_string(vertices) +
                               R"(, "CoordsPerVertex": 3, "CoordsPerPos": 1, "CoordsPerColor": 0,)"
                               R"( "Data": [)" +
                               data + "]}");
    };
    for (auto counts : {std::pair<int, int>{67, 201}, {333334, 1000002}, {1, 1000000}})
    {
        SCOPED_TRACE(counts.second);
        std::string out = Load("Archetype", mesh(counts.first, counts.second));
        EXPECT_TRUE(Answers(out, "FuzzArchetype.json", "Mesh"));
        GameObject* obj = Made();
        ASSERT_NE(obj, nullptr);
        ASSERT_NE(obj->Get<Sprite>(), nullptr);
        // Refused whole: the archetype's sprite has no vertices of its own.
        EXPECT_EQ(obj->Get<Sprite>()->VertexNumber, 0);
    }
}

TEST(Boundary, TextureSlotsOutsideTheTable)
{
    for (const char* slot : {"-1", "30", "2147483648", "\"3\""})
    {
        SCOPED_TRACE(slot);
        std::string out =
            Load("Archetype", SpriteArchetype(R"("Textures": [{"Animation": )" + std::string(slot) +
                                              R"(, "Name": "Textures/SlotProbe.png"}])"));
        EXPECT_TRUE(Answers(out, "FuzzArchetype.json", "Animation"));
        GameObject* obj = Made();
        ASSERT_NE(obj, nullptr);
        Sprite* sprite = obj->Get<Sprite>();
        ASSERT_NE(sprite, nullptr);
        // Slot 0 keeps its default: the entry went nowhere, its image was never asked for.
        EXPECT_EQ(sprite->TextureSlots[0], 0);
        EXPECT_EQ(ResourceManager::Get().TextureIndexes.count("Textures/SlotProbe.png"), 0u);
    }
}

TEST(Boundary, TheFiveHundredAndFirstTexture)
{
    Fuzz::Begin();
    ResourceManager& resources = ResourceManager::Get();
    testing::internal::CaptureStdout();
    for (int i = 0; resources.NextTexture < ResourceManager::kMaxTextures; ++i)
        resources.GetTexture("Textures/Many" + std::to_string(i) + ".png");
    std::string filled = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(Answers(filled, "Textures/Many0.png", ""));
    testing::internal::CaptureStdout();
    int index = resources.GetTexture("Textures/OneTooMany.png");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(Answers(out, "Textures/OneTooMany.png", "more than 500"));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(resources.NextTexture, ResourceManager::kMaxTextures);
}

TEST(Boundary, FileCutAtEveryByte)
{
    struct Cut
    {
        const char* target;
        std::string text;
        const char* file;
    };
    const std::vector<Cut> cuts = {
        {"Level", Shipped("GameData/Levels/Level1.json"), "FuzzLevel.json"},
        {"Save", Shipped("GameData/Levels/Level2.json"), "save.json"}};
    for (const Cut& cut : cuts)
    {
        ASSERT_GT(cut.text.size(), 1000u);
        int unanswered = 0;
        // Cut only in its last line break, the document is whole and loads.
        const size_t whole = cut.text.find_last_not_of(" \r\n") + 1;
        for (size_t n = 0; n < whole; ++n)
        {
            std::string out = Load(cut.target, cut.text.substr(0, n));
            if (!Answers(out, cut.file, "not JSON")) ++unanswered;
        }
        EXPECT_EQ(unanswered, 0) << cut.target;
        // Whole, the file loads.
        Load(cut.target, cut.text);
        EXPECT_NE(Made(), nullptr) << cut.target;
    }
}

TEST(Boundary, MoreAfterTheValueIsAsMalformedAsACutFile)
{
    // The lines a reader says about the input, with the parser's own reason taken out:
    // "offset 3: The document root must not be followed by other values" and "offset 1: Missing
    // a name for object member" say the same.
    auto said = [](const char* target, const std::string& text)
    {
        std::string out = Load(target, text), lines;
        size_t start = 0;
        for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
        {
            std::string line = out.substr(start, end - start);
            if (line.find("offset ") != std::string::npos)
                lines += std::regex_replace(line, std::regex("offset [0-9]+: [^)]*"), "?") + "\n";
        }
        return lines;
    };
    // The level list is read through the document cache as levels are ("Level").
    for (const char* target : {"Level", "Map", "Save", "Archetype", "Menu", "Settings", "Preload",
                               "Palette", "Record", "Script"})
    {
        SCOPED_TRACE(target);
        const std::string malformed = said(target, "[");
        EXPECT_FALSE(malformed.empty());
        // A value then another, then garbage; a file half overwritten by a longer one.
        for (const std::string& text :
             {std::string("[] []"), std::string("{} garbage"), std::string("[][]"),
              Shipped("System/LevelList.json") + "]"})
            EXPECT_EQ(said(target, text), malformed) << text;
    }
}

TEST(Boundary, InvalidUtf8InNamesAndTexts)
{
    const std::string bad = "\xff\xc3\x28\xed\xa0\x80";
    ExpectAnswers({
        {"Level", R"({"Name": "L", "GameObjects": [{"Name": ")" + bad + R"(.json"}]})",
         "FuzzLevel.json", "Name"},
        {"Level", R"({"Name": ")" + bad + R"(", "Map": ")" + bad + R"(", "GameObjects": []})",
         "FuzzLevel.json", "Map"},
        {"Map",
         R"({"Name": "M", "Width": 1, "Height": 1, "MapObjectData": [[1]], "ObjectList": [")" +
             bad + R"("]})",
         "FuzzMap.json", "ObjectList"},
        {"LevelList", R"([")" + bad + R"("])", "LevelList.json", "[0]"},
        {"Dialog", bad + "\n0.5 0.1\n", "GameData/Dialog/Fuzz.txt", "line 1"},
        {"Menu", R"({"Type": "MENU", "Buttons": [{"Text": ")" + bad + R"(", "Active": "true"}]})",
         "FuzzMenu.json", "Text"},
    });
    // The text kept is well formed: each bad byte reads as '?'.
    ButtonList* list = Made() ? Made()->Get<ButtonList>() : nullptr;
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->activeButtons.size(), 1u);
    EXPECT_EQ(list->activeButtons[0]->text, "??"
                                            "(???");
}

TEST(Boundary, SixteenMegabytesAndMore)
{
    const std::string padding(16u * 1024u * 1024u + 1u, ' ');
    ExpectAnswers({
        {"Level", R"({"Name": "L", "GameObjects": []})" + padding, "FuzzLevel.json", "too large"},
        {"Map", "{}" + padding, "FuzzMap.json", "too large"},
        {"Save", "{}" + padding, "save.json", "too large"},
        {"Archetype", "{}" + padding, "FuzzArchetype.json", "too large"},
        {"Settings", "{}" + padding, "settings.json", "too large"},
    });
    // A data file that size is not read at all: the level's dialog reads as missing.
    std::filesystem::path root = TestSupport::MakeTempDir("big");
    TestSupport::WriteText(root, "Big.txt", padding);
    std::string text;
    EXPECT_FALSE(Files::ReadFile((root / "Big.txt").string(), text));
    std::filesystem::remove_all(root);
}

TEST(Boundary, NumbersOutOfRangeAndOdd)
{
    struct Place
    {
        const char* target;
        std::string before, after;
        const char* file;
        const char* key;
        bool integer;
    };
    const std::vector<Place> places = {
        {"Map", R"({"Name": "M", "Height": 1, "Width": )", "}", "FuzzMap.json", "Width", true},
        {"Level", R"({"Name": "L", "Camera": {"MaxX": )", R"(}, "GameObjects": []})",
         "FuzzLevel.json", "MaxX", false},
        {"Archetype", R"({"Type": "GUARD", "Transform": {"Position": [)", ", 0, 0]}}",
         "FuzzArchetype.json", "Position", false},
        {"Archetype",
         R"({"Type": "GUARD", "Sprite": {"Static": "true", "Textures": [{"Animation": )", "}]}}",
         "FuzzArchetype.json", "Animation", true},
        {"Record", "[[", ", 0, 0, 0, 0, 0], [5, 0, 0, 0, 0, 0]]", "Fuzz.json", "entry 0", true},
        {"Script", R"([{"frame": )", R"(, "type": "quit"}])", "script.json", "frame", true},
    };
    for (const Place& p : places)
    {
        SCOPED_TRACE(std::string(p.target) + " " + p.key);
        // Past every range: refused with a line, the default kept.
        EXPECT_TRUE(Answers(Load(p.target, p.before + "1e39" + p.after), p.file, p.key));
        // NaN is not JSON: the whole file is refused.
        EXPECT_TRUE(Answers(Load(p.target, p.before + "NaN" + p.after), p.file, ""));
        // 2^63 fits no int; as a float it is only large.
        std::string out = Load(p.target, p.before + "9223372036854775808" + p.after);
        if (p.integer)
        {
            EXPECT_TRUE(Answers(out, p.file, p.key));
        }
        // -0 is zero.
        Load(p.target, p.before + "-0" + p.after);
    }
    Load("Archetype", R"({"Type": "GUARD", "Transform": {"Position": [1e39, -0, 2]}})");
    ASSERT_NE(Made(), nullptr);
    Transform* t = Made()->Get<Transform>();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(std::isfinite(t->position.x));
    Load("Map", R"({"Name": "M", "Height": 1, "Width": -0, "MapObjectData": [[]]})");
    EXPECT_EQ(MapManager::Get().Width, 0);
}

TEST(Boundary, NamesThatLeaveTheirFolder)
{
    for (const char* name : {"../Levels/Level1.json", "/etc/passwd", "a/b.json", "C:Level1.json",
                             "..\\\\System\\\\LevelList.json"})
    {
        SCOPED_TRACE(name);
        std::string n = name;
        ExpectAnswers({
            {"Level", R"({"Name": "L", "GameObjects": [{"Name": ")" + n + R"("}]})",
             "FuzzLevel.json", ""},
            {"Level", R"({"Name": "L", "Map": ")" + n + R"(", "GameObjects": []})",
             "FuzzLevel.json", "Map"},
            {"Archetype",
             R"({"Type": "GUARD", "DialogBox": {"TextFile": ")" + n +
                 R"("}, "Sprite": {"Static": "true", "Textures": [{"Name": ")" + n + R"("}]}})",
             "", "TextFile"},
            {"LevelList", R"([")" + n + R"("])", "", ""},
        });
        // Nothing outside the data folder was read into the caches.
        EXPECT_EQ(MapManager::Get().Width, 0);
    }
    EXPECT_FALSE(Files::IsDataPath("../x.json"));
    EXPECT_FALSE(Files::IsDataPath("a/../../x.json"));
    EXPECT_FALSE(Files::IsDataPath("C:x.json"));
    EXPECT_FALSE(Files::IsDataPath(std::string("a.json\0b", 8)));
    EXPECT_TRUE(Files::IsDataPath("Textures/a..b.png"));
}

TEST(Boundary, LevelListsThatNameNothingPlayable)
{
    ExpectAnswers({
        {"LevelList", R"(["LevelList.json"])", "GameData/Levels/LevelList.json", ""},
        {"LevelList", R"(["../../System/LevelList.json"])", "LevelList.json", ""},
        {"LevelList", "[]", "System/LevelList.json", "no level file names"},
        {"LevelList", R"(["", 7, null])", "System/LevelList.json", "no level file names"},
        {"Level", R"({"Name": "L", "Map": "Missing.json", "GameObjects": []})", "FuzzLevel.json",
         "Map"},
    });
    EXPECT_EQ(MapManager::Get().GetMapName(), "Missing.json");
    EXPECT_EQ(MapManager::Get().Width, 0);
    EXPECT_FALSE(MapManager::Get().SaveMap());
}

TEST(Boundary, RecordsOfNoneOneAndAMillionEntries)
{
    ExpectAnswers({
        {"Record", "[]", "Fuzz.json", "fewer than two"},
        {"Record", "[[0, 0, 0, 0, 0, 0]]", "Fuzz.json", "fewer than two"},
    });
    std::string text = "[" + Repeat("[0,1,1,0,0,0],", 999999) + "[16,0,0,0,0,0]]";
    rapidjson::Document doc;
    ASSERT_TRUE(ParseJson(text, doc, nullptr));
    std::vector<RecordEntry> entries;
    EXPECT_TRUE(ReadRecord(JsonView(&doc, "Million.json"), "Million.json", entries));
    EXPECT_EQ(entries.size(), 1000000u);
    Load("Record", text);
}
