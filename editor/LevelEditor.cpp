#include "editor/LevelEditor.h"

#include <cstdio>

#include <GL/glew.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>

#include "editor/GuiPanel.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/core/WindowManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

namespace
{
// A name the editor may write under its data folder: a bare file name, nothing that climbs out
// or names a drive.
bool Writable(const char* what, const std::string& name)
{
    if (Files::IsPlainFileName(name)) return true;
    LogLine("editor: %s name \"%s\" refused; nothing saved", what, name.c_str());
    return false;
}
} // namespace

LevelEditor& LevelEditor::Get()
{
    static LevelEditor instance;
    return instance;
}

LevelEditor::LevelEditor()
{
    layerFlags.fill(true);
    // The cursor lives outside the pools: a small square body that follows the mouse.
    cursor.active = true;
    cursor.name = "EditorCursor";
    auto* t = new Transform(&cursor);
    t->scale = glm::vec3(0.3f, 0.3f, 1.0f);
    cursor.AddComponent(t);
    auto* body = new Body(&cursor);
    body->vertices = {{-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}, {-0.5f, -0.5f}};
    body->gravity = false;
    cursor.AddComponent(body);
}

void LevelEditor::Initialize()
{
    for (auto& p : palettes) p.clear();
    paletteSizes.fill(0);
    ReadPalettes();
}

void LevelEditor::ReadPalettes()
{
    const char* path = "System/LevelEditor.json";
    const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path);
    if (!doc) return; // reported by the resource manager; the palettes stay empty
    JsonView root(doc, path);
    if (!root.IsObject()) root.Warn("expected an object of palettes; none read");
    const std::pair<const char*, int> keys[] = {{"Map", kLayerMap},
                                                {"BackDecorate", kLayerBackDecorate},
                                                {"Default", kLayerGameplay},
                                                {"FrontDecorate", kLayerDecorate}};
    for (const auto& k : keys)
    {
        JsonView list = root[k.first];
        if (!list.Valid()) continue;
        if (!list.IsArray())
        {
            list.Warn("expected an array of names");
            continue;
        }
        auto& palette = palettes[k.second];
        palette.assign(1, std::string());
        for (size_t i = 0; i < list.Size(); ++i)
        {
            palette.push_back(list.At(i).AsString(""));
            LogPrintf("%s\n", palette.back().c_str());
        }
        paletteSizes[k.second] = static_cast<unsigned>(list.Size());
        LogPrintf("%zu\n", list.Size());
    }
}

bool LevelEditor::SaveLevelAndMap()
{
    MapManager& map = MapManager::Get();
    const std::string& level = GameObjectManager::Get().levelName;
    if (!Writable("map", map.GetMapName()) || !Writable("level", level)) return false;
    const bool mapSaved = map.SaveMap();
    const bool levelSaved = WriteLevelFile(Files::DataPath("GameData/Levels/" + level));
    LogPrintf("Save Level and Map\n");
    return mapSaved && levelSaved;
}

void LevelEditor::SetBackToInitial()
{
    EventManager::Get().PostEvent(kEventResetToInitial);
}

void LevelEditor::StartGui()
{
    WindowManager& window = WindowManager::Get();
    if (guiStarted_ || !Gpu::Enabled() || !window.window) return;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr; // nothing written beside the game
    ImGui::StyleColorsDark();
    ImGui_ImplSDL2_InitForOpenGL(window.window, window.glContext);
    ImGui_ImplOpenGL3_Init("#version 330");
    InputManager::Get().eventListener = [](const SDL_Event& e) { ImGui_ImplSDL2_ProcessEvent(&e); };
    SetEditorPanel(&GuiPanels());
    guiStarted_ = true;
}

void LevelEditor::DrawUI()
{
    if (!editorOpen) return;
    StartGui();
    // Headless, or no GL context: the editor works, it just draws nothing.
    if (!guiStarted_) return;
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    GameObject* obj = Selected();
    if (obj && !obj->name.empty())
    {
        if (Sprite* s = obj->Get<Sprite>()) GraphicsManager::Get().DrawSingle(*s);
        for (size_t i = 0; i < obj->components.size(); ++i) obj->components[i]->DrawEditor();
    }
    DrawWindow();
    DrawPalettes();
    ImGuiIO& io = ImGui::GetIO();
    guiWantsMouse_ = io.WantCaptureMouse;
    guiWantsKeys_ = io.WantCaptureKeyboard;
    ImGui::Render();
    glViewport(0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

void LevelEditor::DrawWindow()
{
    FrameRateController& clock = FrameRateController::Get();
    ImGui::SetNextWindowSize(ImVec2(200, 100), ImGuiCond_FirstUseEver);
    ImGui::Begin("Level Editor");
    const float rate = ImGui::GetIO().Framerate;
    ImGui::Text("Application average %.3f ms/frame (%.1f FPS)", 1000.0f / rate, rate);
    ImGui::Text("FPS: %f", clock.measuredFrameRate);
    ImGui::Text("Frame Time: %d", static_cast<int>(clock.frameElapsedMs));
    ImGui::Text("Layer: %d", layer);
    ImGui::Text("Current Object: ");
    if (GameObject* obj = Selected())
    {
        ImGui::SameLine();
        ImGui::Text("%s", obj->name.c_str());
    }
    ImGui::Checkbox("Let Hold Objects Work", &holdObjectsWork);
    ImGui::Checkbox("Let All Objects Work", &allObjectsWork);
    if (ImGui::Button("Set Back to Initial")) SetBackToInitial();
    if (ImGui::Button("Save Level and Map")) SaveLevelAndMap();
    ImGui::End();
}

void LevelEditor::DrawPalettes()
{
    // Beside the editor window, not on top of it.
    ImGui::SetNextWindowPos(ImVec2(ImGui::GetIO().DisplaySize.x - 260.0f, 20.0f),
                            ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(240, 320), ImGuiCond_FirstUseEver);
    ImGui::Begin("Palette");
    ImGui::TextUnformatted("Pick one, then click in the world.");
    if (ImGui::RadioButton("Select and drag", armedLayer == 0 && !erasing))
    {
        armedLayer = 0;
        erasing = false;
    }
    if (ImGui::RadioButton("Erase map tiles", erasing))
    {
        armedLayer = 0;
        erasing = true;
    }
    const std::pair<const char*, int> groups[] = {{"Map", kLayerMap},
                                                  {"BackDecorate", kLayerBackDecorate},
                                                  {"Default", kLayerGameplay},
                                                  {"FrontDecorate", kLayerDecorate}};
    for (const auto& g : groups)
    {
        if (!ImGui::CollapsingHeader(g.first)) continue;
        const auto& palette = palettes[g.second];
        for (size_t i = 1; i < palette.size(); ++i)
        {
            ImGui::PushID(g.second * 10000 + static_cast<int>(i));
            if (ImGui::Selectable(palette[i].c_str(), armedLayer == g.second && armedIndex == i))
            {
                armedLayer = g.second;
                armedIndex = i;
                erasing = false;
                layer = g.second;
            }
            ImGui::PopID();
        }
    }
    ImGui::End();
}
