#include "tests/StoryFixtures.h"

#include "tests/TestSupport.h"

namespace fs = std::filesystem;

std::string StoryFixtures::LevelOnLevel1Map(const std::string& name, const std::string& objects)
{
    return R"({"Name": ")" + name + R"(", "Map": "Level1Map.json",
        "Camera": {"Position": [14.5, 8, 15], "MinX": 14.5, "MaxX": 74.5, "MinY": 8, "MaxY": 15},
        "GameObjects": [)" +
           objects + "]}";
}

std::string StoryFixtures::Entry(const std::string& archetype, const std::string& overwrite)
{
    return R"({"Name": ")" + archetype + R"(", "OverWrite": )" + overwrite + "}";
}

std::string StoryFixtures::Hero(float x, float y, const std::string& record)
{
    return Entry("Player.json", R"({"Transform": {"Position": [)" + std::to_string(x) + ", " +
                                    std::to_string(y) + R"(, 0]}, "RecordAndPlay": )" + record +
                                    "}");
}

fs::path StoryFixtures::MakeRoot(const std::string& tag, const LevelSet& levels)
{
    fs::path root = TestSupport::MakeTempDir(tag);
    fs::path shipped = TestSupport::ShippedData();
    for (const char* dir : {"Fonts", "Textures", "Sounds", "Shaders"})
        TestSupport::ShareFolder(shipped / dir, root / dir);
    fs::create_directories(root / "GameData" / "Record");
    fs::create_directories(root / "GameData" / "Levels");
    for (const char* dir : {"Maps", "GameObjects", "Dialog"})
        TestSupport::ShareFolder(shipped / "GameData" / dir, root / "GameData" / dir);
    std::string list = R"(["MainMenu.json")";
    TestSupport::WriteText(root, "GameData/Levels/MainMenu.json",
                           LevelOnLevel1Map("MainMenu.json", ""));
    TestSupport::WriteText(root, "GameData/Levels/Last.json", LevelOnLevel1Map("Last.json", ""));
    for (const auto& [name, objects] : levels)
    {
        TestSupport::WriteText(root, "GameData/Levels/" + name, LevelOnLevel1Map(name, objects));
        list += R"(, ")" + name + R"(")";
    }
    TestSupport::WriteText(root, "System/LevelList.json", list + R"(, "Last.json"])");
    TestSupport::WriteText(root, "System/PreLoad.json", "[]");
    return root;
}
