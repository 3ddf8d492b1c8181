// The editor's safe hands, headless: its windows own the mouse, picking skips the background
// and the screen layers and steps down through a stack, selection changes no drawing, every
// edit undoes and redoes, the history is a fixed ring that a level load clears, the first-use
// layout overlaps nothing, and leaving with unsaved edits asks first.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/EditorGui.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/ObjectFactory.h"
#include "game/enemies/SecurityCamera.h"
#include "tests/EditorFixture.h"

namespace fs = std::filesystem;

namespace
{
// Everything an edit can change: each saved object as its level entry (sorted, so a slot
// change does not count) and the two cells the tests paint and erase.
std::string Fingerprint()
{
    std::vector<std::string> entries;
    for (int layer = 0; layer < kLayerCount; ++layer)
        if (layer != kLayerMap)
            GameObjectManager::Get().ForEachActive(layer, [&](GameObject& o)
                                                   { entries.push_back(EntryText(o)); });
    std::sort(entries.begin(), entries.end());
    std::string all;
    for (const auto& e : entries) all += e;
    MapManager& map = MapManager::Get();
    return all + "|" + std::to_string(map.IndexAt(16, 7)) + "|" +
           std::to_string(map.IndexAt(40, 2));
}

// A panel whose "Position X" field is typed into once when armed (the editor's GUI stands in
// for the developer's typing here).
class TypingPanel final : public EditorPanel
{
  public:
    bool InputFloat(const char* label, float* v, float, const char*) override
    {
        if (!armed || std::string(label) != "Position X") return false;
        *v += 1.5f;
        armed = false;
        return true;
    }
    bool armed = false;
};

bool Overlap(glm::vec2 p, glm::vec2 s, glm::vec2 q, glm::vec2 t)
{
    return p.x < q.x + t.x && q.x < p.x + s.x && p.y < q.y + t.y && q.y < p.y + s.y;
}
} // namespace

TEST_F(EditorSession, PickStepsDownThroughAStackAndSkipsBackgroundAndScreens)
{
    editor().allObjectsWork = false;
    const glm::vec2 at = WorldAt(640, 500);
    guard->Get<Transform>()->position = glm::vec3(at, 0.0f);
    GameObject* low = editor().Place(kLayerGameplay, 1, at);
    GameObject* high = editor().Place(kLayerGameplay, 1, at);
    ASSERT_TRUE(low && high);
    // A background and a screen object under the same spot are never picked.
    GameObject* back = CreateFromEntryText(R"({"Name": "Background.json"})");
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->layer, kLayerBackground);
    back->Get<Transform>()->position = glm::vec3(at, 0.0f);
    editor().Select(nullptr);
    const GameObject* expected[] = {high, low, guard, high};
    for (size_t i = 0; i < 4; ++i)
    {
        ClickAt(640, 500);
        EXPECT_EQ(editor().Selected(), expected[i])
            << "click " << i << " picked "
            << (editor().Selected() ? editor().Selected()->name : std::string("nothing"));
    }
    ClickAt(1100, 300); // elsewhere: the next click at the stack starts at its top again
    ClickAt(640, 500);
    EXPECT_EQ(editor().Selected(), high);
    // Only the background there: nothing.
    const glm::vec2 sky(at.x, at.y + 40.0f);
    back->Get<Transform>()->position = glm::vec3(sky, 0.0f);
    EXPECT_EQ(editor().Pick(sky), nullptr);
}

TEST_F(EditorSession, WindowsOwnTheMouse)
{
    editor().allObjectsWork = false;
    glm::vec2 pos, size;
    ASSERT_TRUE(EditorGui::WindowRect("Level Editor", pos, size));
    EXPECT_EQ(size, glm::vec2(200.0f, 100.0f)) << "its first-use size";
    // A charger armed: a click on the window places nothing, and picks nothing behind it.
    const glm::vec2 behind = WorldAt(int(pos.x + 100), int(pos.y + 60));
    guard->Get<Transform>()->position = glm::vec3(behind, 0.0f);
    editor().armedLayer = kLayerGameplay;
    editor().armedIndex = 1;
    ClickAt(int(pos.x + 100), int(pos.y + 60));
    EXPECT_EQ(NamedGameplayObject("EmpCharger.json"), nullptr);
    editor().armedLayer = 0;
    ClickAt(int(pos.x + 100), int(pos.y + 60));
    EXPECT_EQ(editor().Selected(), nullptr);
    // Its title bar dragged: the window moves, nothing in the world does.
    const glm::vec3 guardAt = guard->Get<Transform>()->position;
    Send::MouseMove(int(pos.x + 60), int(pos.y + 8));
    game->Frames(1);
    Send::MouseButton(true, int(pos.x + 60), int(pos.y + 8));
    game->Frames(1);
    for (int step = 1; step <= 10; ++step)
    {
        Send::MouseMove(int(pos.x + 60 + 30 * step), int(pos.y + 8 + 30 * step));
        game->Frames(1);
    }
    Send::MouseButton(false, int(pos.x + 360), int(pos.y + 308));
    game->Frames(2);
    glm::vec2 moved, movedSize;
    ASSERT_TRUE(EditorGui::WindowRect("Level Editor", moved, movedSize));
    EXPECT_NEAR(moved.x, pos.x + 300.0f, 1.0f);
    EXPECT_NEAR(moved.y, pos.y + 300.0f, 1.0f);
    EXPECT_EQ(guard->Get<Transform>()->position, guardAt);
    EXPECT_EQ(editor().Selected(), nullptr);
    EXPECT_EQ(editor().history.UndoCount(), 0u);
}

TEST_F(EditorSession, SelectionOutlinesButDrawsNothingMore)
{
    editor().allObjectsWork = false;
    game->Frames(1);
    const int drawn = GraphicsManager::Get().spritesDrawn;
    editor().Select(guard);
    game->Frames(1);
    EXPECT_EQ(GraphicsManager::Get().spritesDrawn, drawn);
}

TEST_F(EditorSession, FirstUseLayoutOverlapsNothingAt720Lines)
{
    // The camera's cone holds the "SecurityCamera" panel.
    GameObjectManager::Get().ForEachActive(kLayerGameplay,
                                           [](GameObject& o)
                                           {
                                               if (o.Get<SecurityCamera>()) editor().Select(&o);
                                           });
    ASSERT_NE(editor().Selected(), nullptr);
    game->Frames(2);
    std::vector<std::pair<glm::vec2, glm::vec2>> rects;
    for (const char* title : {"Level Editor", "Level", "Palette", "Transform", "SecurityCamera"})
    {
        glm::vec2 pos, size;
        ASSERT_TRUE(EditorGui::WindowRect(title, pos, size)) << title;
        EXPECT_LE(pos.y + size.y, 720.0f) << title;
        EXPECT_LE(pos.x + size.x, 1280.0f) << title;
        rects.emplace_back(pos, size);
    }
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(Overlap(rects[i].first, rects[i].second, rects[j].first, rects[j].second))
                << i << " over " << j;
}

// Every kind of edit, undone with Ctrl+Z back to the start, then redone with Ctrl+Y and
// Ctrl+Shift+Z in turn, state by state.
TEST_F(EditorSession, EveryEditUndoesAndRedoes)
{
    editor().allObjectsWork = false;
    TypingPanel typing;
    SetEditorPanel(&typing);
    // Where the drag below takes hold of the guard.
    guard->Get<Transform>()->position = glm::vec3(WorldAt(640, 500), 0.0f);
    std::vector<std::string> states{Fingerprint()};
    auto settle = [&]()
    {
        game->Frames(1);
        states.push_back(Fingerprint());
    };
    GameObject* charger = PlaceChargerByClick();
    ASSERT_NE(charger, nullptr);
    settle();
    DragGuardSnapped();
    settle();
    editor().Select(charger);
    game->Tap("Delete");
    settle();
    ASSERT_NE(editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f)), nullptr);
    settle();
    ASSERT_TRUE(editor().Erase(glm::vec2(40.0f, 2.0f)));
    settle();
    editor().Select(guard);
    typing.armed = true;
    settle();
    ASSERT_FALSE(typing.armed);
    for (size_t i = 1; i < states.size(); ++i) ASSERT_NE(states[i], states[i - 1]) << i;
    EXPECT_EQ(editor().history.UndoCount(), states.size() - 1);

    for (size_t i = states.size() - 1; i > 0; --i)
    {
        game->KeyDown("Left Ctrl");
        game->Tap("Z");
        game->KeyUp("Left Ctrl");
        game->Frames(1);
        EXPECT_EQ(Fingerprint(), states[i - 1]) << "undo back to state " << i - 1;
    }
    EXPECT_FALSE(editor().Undo());
    for (size_t i = 1; i < states.size(); ++i)
    {
        game->KeyDown("Left Ctrl");
        if (i % 2) game->KeyDown("Left Shift");
        game->Tap(i % 2 ? "Z" : "Y");
        if (i % 2) game->KeyUp("Left Shift");
        game->KeyUp("Left Ctrl");
        game->Frames(1);
        EXPECT_EQ(Fingerprint(), states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(editor().Redo());
}

TEST_F(EditorSession, HistoryIsAFixedRingThatALevelLoadClears)
{
    const size_t steps = EditorHistory::kSteps + 30;
    for (size_t i = 0; i < steps; ++i)
        if (i % 2)
            editor().Erase(glm::vec2(16.0f, 7.0f));
        else
            editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f));
    game->Frames(1);
    EXPECT_EQ(editor().history.UndoCount(), EditorHistory::kSteps);
    EXPECT_GE(EditorHistory::kSteps, 100u);
    size_t undone = 0;
    while (editor().Undo()) ++undone;
    EXPECT_EQ(undone, EditorHistory::kSteps);
    EXPECT_EQ(MapManager::Get().IndexAt(16, 7) != 0, (steps - EditorHistory::kSteps) % 2 == 1)
        << "the oldest steps were forgotten, the cell is as they left it";
    EXPECT_TRUE(editor().Redo());
    LevelManager::Get().RestartLevel();
    game->Frames(2);
    EXPECT_EQ(editor().history.UndoCount(), 0u);
    EXPECT_EQ(editor().history.RedoCount(), 0u);
    EXPECT_FALSE(editor().Unsaved());
}

TEST_F(EditorSession, LeavingWithUnsavedEditsAsksFirst)
{
    auto f1 = [&]()
    {
        game->Tap("F1");
        game->Frames(1);
    };
    f1();
    EXPECT_FALSE(editor().editorOpen) << "nothing edited: F1 leaves at once";
    f1();
    ASSERT_TRUE(editor().editorOpen);
    ASSERT_NE(editor().Place(kLayerMap, 1, glm::vec2(16.0f, 7.0f)), nullptr);
    f1();
    game->Frames(1);
    EXPECT_TRUE(editor().editorOpen);
    EXPECT_TRUE(editor().askingToLeave);
    glm::vec2 pos, size;
    EXPECT_TRUE(EditorGui::WindowRect("Leave the editor?", pos, size));
    // While the question is up the world hears no click.
    editor().Select(nullptr);
    guard->Get<Transform>()->position = glm::vec3(WorldAt(640, 500), 0.0f);
    ClickAt(640, 500);
    EXPECT_EQ(editor().Selected(), nullptr);
    f1();
    EXPECT_FALSE(editor().editorOpen) << "F1 with the question up leaves";
    EXPECT_FALSE(editor().askingToLeave);

    // The question's buttons, clicked: "Stay" keeps the editor, "Save" saves and leaves.
    f1();
    f1();
    ASSERT_TRUE(editor().askingToLeave);
    game->Frames(1);
    auto click = [&](const char* label)
    {
        glm::vec2 at, extent;
        ASSERT_TRUE(EditorGui::ItemRect(label, at, extent)) << label;
        ClickAt(int(at.x + extent.x / 2), int(at.y + extent.y / 2));
    };
    click("Stay");
    EXPECT_TRUE(editor().editorOpen);
    EXPECT_FALSE(editor().askingToLeave);
    f1();
    game->Frames(1);
    const auto written = fs::last_write_time(root / "GameData/Maps/Level1Map.json");
    click("Save");
    EXPECT_FALSE(editor().editorOpen);
    EXPECT_FALSE(editor().Unsaved());
    EXPECT_GE(fs::last_write_time(root / "GameData/Maps/Level1Map.json"), written);
    EXPECT_TRUE(fs::exists(root / "GameData/Levels/Edit.json"));
}

// Rows and columns added on two sides: the tiles shift with the grid and every object with them,
// so the level looks the same with room around it; the edits made before stay unsaved.
TEST_F(EditorSession, ResizeKeepsEverythingOnItsTiles)
{
    editor().allObjectsWork = false;
    MapManager& map = MapManager::Get();
    const int width = map.Width, height = map.Height;
    ASSERT_NE(map.IndexAt(40, 2), 0);
    ASSERT_EQ(map.IndexAt(43, 3), 0);
    const glm::vec3 guardAt = guard->Get<Transform>()->position;
    ASSERT_TRUE(editor().ResizeMap(3, 2, 1, 0));
    game->Frames(2);
    EXPECT_EQ(map.Width, width + 5);
    EXPECT_EQ(map.Height, height + 1);
    EXPECT_NE(map.IndexAt(43, 3), 0) << "the tile of (40, 2)";
    GameObject* moved = NamedGameplayObject("Guard.json");
    ASSERT_NE(moved, nullptr);
    EXPECT_NEAR(moved->Get<Transform>()->position.x, guardAt.x + 3.0f, 1e-4f);
    EXPECT_NEAR(moved->Get<Transform>()->position.y, guardAt.y + 1.0f, 1e-4f);
    EXPECT_TRUE(editor().Unsaved());
    EXPECT_FALSE(editor().ResizeMap(-width, 0, 0, 0)) << "a map cannot be cut away";
}

namespace
{
// Records the panels a component opens and types into the first number field that is not the
// transform's.
class RecordingPanel final : public EditorPanel
{
  public:
    void Begin(const char* title, float, float) override { titles.push_back(title); }
    bool InputFloat(const char*, float* v, float, const char*) override { return Type(v, 1.0f); }
    bool InputInt(const char*, int* v) override { return Type(v, 1); }
    bool SliderFloat(const char*, float* v, float, float) override { return Type(v, 0.5f); }
    template <typename T> bool Type(T* v, T by)
    {
        if (typed || titles.empty() || titles.back() == "Transform") return false;
        *v += by;
        typed = true;
        return true;
    }
    std::vector<std::string> titles;
    bool typed = false;
};
} // namespace

// Every component a designer places has a panel, and a number typed there is the component's
// at once (the object's level entry changes in the same frame).
TEST_F(EditorSession, EveryPlacedComponentHasAPanel)
{
    struct Case
    {
        const char* archetype;
        const char* title;
        bool numbers; // has a number field
    };
    const Case placed[] = {{"Guard.json", "Guard", true},
                           {"SecurityCamera.json", "SecurityCamera", true},
                           {"Robot.json", "Robot", true},
                           {"MovingFloor.json", "SecurityCamera", true},
                           {"BossFOV.json", "SecurityCamera", true},
                           {"CheckPoint.json", "CheckPoint", false},
                           {"EmpCharger.json", "Charger", true},
                           {"TrashCan.json", "TrashCan", false},
                           {"DialogTrigger.json", "DialogTrigger", false},
                           {"TimedText.json", "TimedText", true},
                           {"LevelExit.json", "Level Exit", false}};
    for (const auto& [archetype, title, numbers] : placed)
    {
        SCOPED_TRACE(archetype);
        // The level's own camera: its cone is made when the level starts.
        GameObject* obj =
            std::string(archetype) == "SecurityCamera.json"
                ? NamedGameplayObject(archetype)
                : CreateFromEntryText(std::string(R"({"Name": ")") + archetype + "\"}");
        ASSERT_NE(obj, nullptr);
        RecordingPanel panel;
        SetEditorPanel(&panel);
        for (auto& c : obj->components) c->DrawEditor();
        SetEditorPanel(nullptr);
        EXPECT_NE(std::find(panel.titles.begin(), panel.titles.end(), title), panel.titles.end());
        EXPECT_EQ(panel.typed, numbers);
    }
}

// A guard and a camera deleted take their cones with them; undone, they come back with one each.
TEST_F(EditorSession, DeletedEnemiesTakeTheirConesAndUndoBringsThemBack)
{
    editor().allObjectsWork = false;
    auto cones = [](const char* name)
    {
        int n = 0;
        for (int layer = 0; layer < kLayerHud; ++layer)
            GameObjectManager::Get().ForEachActive(layer,
                                                   [&](GameObject& o) { n += o.name == name; });
        return n;
    };
    ASSERT_EQ(cones("GuardFOV.json"), 1);
    ASSERT_EQ(cones("CameraFOV.json"), 1);
    for (const char* enemy : {"Guard.json", "SecurityCamera.json"})
    {
        editor().Select(NamedGameplayObject(enemy));
        game->Tap("Delete");
        game->Frames(3);
    }
    EXPECT_EQ(cones("GuardFOV.json"), 0);
    EXPECT_EQ(cones("CameraFOV.json"), 0);
    EXPECT_TRUE(editor().Undo());
    EXPECT_TRUE(editor().Undo());
    game->Frames(3);
    EXPECT_EQ(cones("GuardFOV.json"), 1);
    EXPECT_EQ(cones("CameraFOV.json"), 1);
}
