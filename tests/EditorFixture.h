// EditorFixture: the level editor open over a small level, headless. The level stands on the
// Level1 map with the player, a guard and a security camera; the map is the test's own copy
// (saves write it); the palette holds one crate tile and one charger.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <memory>
#include <string>

#include "editor/LevelEditor.h"
#include "engine/core/InputManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"
#include "tests/TestSupport.h"

inline GameObject* NamedGameplayObject(const std::string& name)
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerGameplay, [&](GameObject& o)
                                           { found = o.name == name ? &o : found; });
    return found;
}

class EditorSession : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        using namespace StoryFixtures;
        const std::string camera = Entry("SecurityCamera.json",
                                         R"({"Transform": {"Position": [30, 6, 0]}, "Camera":
        {"FOVScale": [5, 5], "SecurityCamera": {"AngleSpeed": 1, "IdleTime": 300, "SearchTime": 2000}}})");
        root = MakeRoot("editor",
                        {{"Edit.json", Hero(3, 3.5f) + "," + Entry("Guard.json", R"({"Transform":
                                        {"Position": [20, 3.45, 0]}})") +
                                           "," + camera},
                         {"After.json", ""}});
        // The map is written by the save: the test's own copy, not the shipped one.
        fs::remove_all(root / "GameData/Maps"); // a link, or a copy where links are not allowed
        fs::create_directories(root / "GameData/Maps");
        fs::copy_file(TestSupport::ShippedData() / "GameData/Maps/Level1Map.json",
                      root / "GameData/Maps/Level1Map.json");
        TestSupport::WriteText(root, "System/LevelEditor.json",
                               R"({"Map": ["TileCrate.json"], "Default": ["EmpCharger.json"]})");
        game = std::make_unique<HeadlessGame>(root, "Edit.json");
        ASSERT_EQ(game->status(), 0);
        ASSERT_FALSE(editor().editorOpen);
        game->Tap("F1");
        ASSERT_TRUE(editor().editorOpen);
        game->Frames(20);
        guard = NamedGameplayObject("Guard.json");
        ASSERT_NE(guard, nullptr);
    }

    static LevelEditor& editor() { return LevelEditor::Get(); }

    // A left click at a window pixel: down for a frame, then up for a frame.
    void ClickAt(int x, int y)
    {
        Send::MouseMove(x, y);
        Send::MouseButton(true, x, y);
        game->Frames(1);
        Send::MouseButton(false, x, y);
        game->Frames(1);
    }

    // The world point under a window pixel (the mouse is moved there).
    glm::vec2 WorldAt(int x, int y)
    {
        Send::MouseMove(x, y);
        game->Frames(1);
        const glm::vec3 p = InputManager::Get().GetMouseWorldPosition();
        return glm::vec2(p.x, p.y);
    }

    // Puts the guard under the mouse at (640, 500) and drags it, Left Ctrl held, to (900, 560).
    // Where it was grabbed.
    glm::vec3 DragGuardSnapped()
    {
        editor().allObjectsWork = false;
        const glm::vec2 grab = WorldAt(640, 500);
        guard->Get<Transform>()->position = glm::vec3(grab, 0.0f);
        Send::MouseButton(true, 640, 500);
        game->Frames(1);
        EXPECT_EQ(editor().Selected(), guard);
        game->KeyDown("Left Ctrl");
        Send::MouseMove(900, 560);
        game->Frames(1);
        Send::MouseButton(false, 900, 560);
        game->KeyUp("Left Ctrl");
        game->Frames(1);
        return glm::vec3(grab, 0.0f);
    }

    // Arms palette entry 1 of the gameplay layer and clicks at (1000, 620), clear of the
    // editor's windows.
    GameObject* PlaceChargerByClick()
    {
        editor().armedLayer = kLayerGameplay;
        editor().armedIndex = 1;
        ClickAt(1000, 620);
        return NamedGameplayObject("EmpCharger.json");
    }

    std::filesystem::path root;
    std::unique_ptr<HeadlessGame> game;
    GameObject* guard = nullptr;
};
