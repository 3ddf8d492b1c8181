// A level made with the editor alone, headless, driven through the same events a developer's
// mouse and keys send: a new level, a floor painted and a guard and an exit placed from the
// palette (picked in the palette window), undone and redone, saved with the window's button,
// reloaded from its files, then played from the editor to its exit and back to the editor.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/EditorGui.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "tests/EditorFixture.h"

namespace fs = std::filesystem;

namespace
{
// Across the world's layers: the exit lift is drawn behind the hero, the guard beside her.
int CountNamed(const std::string& name)
{
    int n = 0;
    for (int layer = 0; layer < kLayerHud; ++layer)
        GameObjectManager::Get().ForEachActive(layer, [&](GameObject& o) { n += o.name == name; });
    return n;
}

class MadeLevel : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        using namespace StoryFixtures;
        root = MakeRoot("editor-made", {{"Start.json", Hero(3, 3.5f)}});
        // New maps are written beside the shipped ones: the test's own folder.
        fs::remove_all(root / "GameData/Maps");
        fs::create_directories(root / "GameData/Maps");
        fs::copy_file(TestSupport::ShippedData() / "GameData/Maps/Level1Map.json",
                      root / "GameData/Maps/Level1Map.json");
        TestSupport::WriteText(root, "System/LevelEditor.json",
                               R"({"Map": ["TileGround.json"],
                                   "Default": ["Guard.json", "LevelExit.json"]})");
        game = std::make_unique<HeadlessGame>(root, "Start.json");
        ASSERT_EQ(game->status(), 0);
        game->Tap("F1");
        game->Frames(2);
        ASSERT_TRUE(editor().editorOpen);
    }

    static LevelEditor& editor() { return LevelEditor::Get(); }

    void ClickPixel(glm::vec2 p)
    {
        const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
        Send::MouseMove(x, y);
        Send::MouseButton(true, x, y);
        game->Frames(1);
        Send::MouseButton(false, x, y);
        game->Frames(1);
    }
    // A click in the middle of a widget of the editor's windows.
    void ClickItem(const char* label)
    {
        glm::vec2 pos, size;
        ASSERT_TRUE(EditorGui::ItemRect(label, pos, size)) << label;
        ClickPixel(pos + size / 2.0f);
    }
    void ClickWorld(glm::vec2 world) { ClickPixel(EditorGui::WorldToScreen(world)); }
    void Chord(const char* key, bool shift = false)
    {
        game->KeyDown("Left Ctrl");
        if (shift) game->KeyDown("Left Shift");
        game->Tap(key);
        if (shift) game->KeyUp("Left Shift");
        game->KeyUp("Left Ctrl");
        game->Frames(1);
    }

    fs::path root;
    std::unique_ptr<HeadlessGame> game;
};
} // namespace

TEST_F(MadeLevel, MadeSavedReloadedAndPlayedToItsExit)
{
    // Second in the list, after the title: its exit leads to the level that was first.
    ASSERT_TRUE(editor().NewLevel("Made.json", 48, 16, 1));
    game->Frames(3);
    ASSERT_EQ(GameObjectManager::Get().levelName, "Made.json");
    EXPECT_EQ(LevelManager::Get().levels.at(1), "Made.json");
    EXPECT_EQ(CountNamed("LevelExit.json"), 1);
    MapManager& map = MapManager::Get();
    EXPECT_NE(map.IndexAt(10, 0), 0) << "the floor row";
    editor().allObjectsWork = false;
    game->Frames(1);

    // A raised floor, painted cell by cell with the palette's ground tile.
    ClickItem("Map");
    ClickItem("TileGround.json");
    for (int c = 18; c <= 24; ++c) ClickWorld(glm::vec2(c, 5));
    for (int c = 18; c <= 24; ++c) EXPECT_NE(map.IndexAt(c, 5), 0) << c;
    // A guard on it and a nearer exit on the ground.
    ClickItem("Default");
    ClickItem("Guard.json");
    ClickWorld(glm::vec2(21.0f, 6.5f));
    ClickItem("LevelExit.json");
    ClickWorld(glm::vec2(27.0f, 2.0f));
    EXPECT_EQ(CountNamed("Guard.json"), 1);
    EXPECT_EQ(CountNamed("LevelExit.json"), 2);

    // Undo the exit, the guard and a tile; redo them all (both redo chords).
    Chord("Z");
    Chord("Z");
    Chord("Z");
    EXPECT_EQ(CountNamed("LevelExit.json"), 1);
    EXPECT_EQ(CountNamed("Guard.json"), 0);
    EXPECT_EQ(map.IndexAt(24, 5), 0);
    Chord("Y");
    Chord("Z", true);
    Chord("Y");
    EXPECT_NE(map.IndexAt(24, 5), 0);
    EXPECT_EQ(CountNamed("Guard.json"), 1);
    EXPECT_EQ(CountNamed("LevelExit.json"), 2);

    // Saved with the window's button (scrolled into view first: the window keeps its size).
    glm::vec2 pos, size;
    ASSERT_TRUE(EditorGui::WindowRect("Level Editor", pos, size));
    Send::MouseMove(int(pos.x + 100), int(pos.y + 60));
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -10;
    InputManager::Get().Inject(wheel);
    game->Frames(2);
    ClickItem("Save Level and Map");
    ASSERT_TRUE(fs::exists(root / "GameData/Levels/Made.json"));
    ASSERT_TRUE(fs::exists(root / "GameData/Maps/MadeMap.json"));
    EXPECT_FALSE(editor().Unsaved());
    const std::string list = TestSupport::ReadText(root / "System/LevelList.json");
    EXPECT_NE(list.find(R"("MainMenu.json", "Made.json", "Start.json")"), std::string::npos)
        << list;

    // Reloaded from the files: everything as saved.
    ASSERT_TRUE(editor().ReloadLevel());
    game->Frames(2);
    EXPECT_EQ(CountNamed("Guard.json"), 1);
    EXPECT_EQ(CountNamed("LevelExit.json"), 2);
    for (int c = 18; c <= 24; ++c) EXPECT_NE(map.IndexAt(c, 5), 0) << c;

    // Played from the mouse: run right (W at the door) until the next level of the list.
    editor().allObjectsWork = true;
    Send::MouseMove(int(EditorGui::WorldToScreen(glm::vec2(6.0f, 1.5f)).x),
                    int(EditorGui::WorldToScreen(glm::vec2(6.0f, 1.5f)).y));
    game->Frames(1);
    game->Tap("F5");
    game->Frames(2);
    ASSERT_TRUE(editor().Playing());
    EXPECT_FALSE(editor().editorOpen);
    GameObject* player = GameObjectManager::Get().Player();
    ASSERT_NE(player, nullptr);
    EXPECT_NEAR(player->Get<Transform>()->position.x, 6.0f, 0.5f);
    game->KeyDown("D");
    game->KeyDown("W");
    int frames = 0;
    while (GameObjectManager::Get().levelName == "Made.json" && frames < 1800)
    {
        game->Frames(10);
        frames += 10;
    }
    game->KeyUp("D");
    game->KeyUp("W");
    EXPECT_EQ(GameObjectManager::Get().levelName, "Start.json") << "after " << frames << " frames";

    // F1: back in the editor, on the level as it was.
    game->Tap("F1");
    game->Frames(3);
    EXPECT_TRUE(editor().editorOpen);
    EXPECT_FALSE(editor().Playing());
    EXPECT_EQ(GameObjectManager::Get().levelName, "Made.json");
    EXPECT_EQ(CountNamed("Guard.json"), 1);
}
