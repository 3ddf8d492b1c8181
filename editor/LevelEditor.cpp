#include "editor/LevelEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>

#include <imgui.h>

#include "editor/EditorGui.h"
#include "editor/GuiPanel.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

namespace
{
// A name the editor may write under its data folder: a bare file name, nothing that climbs out
// or names a drive.
// First-use layout: the editor window, the palette and the object's panels side by side from
// the top left, none over another.
constexpr float kLeft = 10.0f, kTop = 10.0f;
constexpr float kPaletteX = 220.0f, kPaletteWidth = 240.0f, kPaletteHeight = 400.0f;
constexpr float kPanelColumnX = 470.0f;

constexpr float kThumb = 24.0f;

// The first frame of an archetype's first picture; 0 when it has none (or there is no GPU).
struct Thumbnail
{
    unsigned texture = 0;
    float frameWidth = 1.0f;
};

Thumbnail FindThumbnail(const std::string& archetype)
{
    Thumbnail thumb;
    const std::string path = "GameData/GameObjects/" + archetype;
    const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path);
    if (!doc) return thumb;
    JsonView first = JsonView(doc, ResourceManager::Get().KeepName(path))["Sprite"]["Textures"];
    if (!first.IsArray() || first.Size() == 0) return thumb;
    first = first.At(0);
    std::string image;
    if (!first.Read("Name", image)) return thumb;
    const int frames = first["Frames"].AsInt(1);
    thumb.frameWidth = frames > 1 ? 1.0f / static_cast<float>(frames) : 1.0f;
    thumb.texture = ResourceManager::Get().TextureName(ResourceManager::Get().GetTexture(image));
    return thumb;
}

void DrawThumbnail(const std::string& archetype)
{
    static std::map<std::string, Thumbnail> cache;
    auto it = cache.find(archetype);
    if (it == cache.end()) it = cache.emplace(archetype, FindThumbnail(archetype)).first;
    const Thumbnail& t = it->second;
    if (t.texture == 0)
    {
        ImGui::Dummy(ImVec2(kThumb, kThumb));
        return;
    }
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(t.texture)),
                 ImVec2(kThumb, kThumb), ImVec2(0, 1), ImVec2(t.frameWidth, 0));
}

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
    if (mapSaved && levelSaved) unsaved_ = false;
    return mapSaved && levelSaved;
}

void LevelEditor::SetBackToInitial()
{
    EventManager::Get().PostEvent(kEventResetToInitial);
}

void LevelEditor::DrawUI()
{
    if (!editorOpen || !EditorGui::FrameOpen()) return;
    GameObject* obj = Selected();
    if (obj && !obj->name.empty())
    {
        DrawOutline(*obj);
        DrawPanels(*obj);
    }
    DrawWindow();
    DrawPalettes();
    DrawLevelWindow();
    DrawLeaveQuestion();
    EditorGui::EndFrame();
}

void LevelEditor::DrawOutline(GameObject& obj)
{
    // Outlined over the scene, never drawn again: selecting changes no drawing order.
    Transform* t = obj.Get<Transform>();
    if (!t || obj.layer >= kLayerHud) return;
    const glm::vec2 half(std::fabs(t->scale.x) / 2, std::fabs(t->scale.y) / 2);
    const glm::vec2 at(t->position.x, t->position.y);
    const glm::vec2 a = EditorGui::WorldToScreen(at - half);
    const glm::vec2 b = EditorGui::WorldToScreen(at + half);
    ImDrawList* list = ImGui::GetBackgroundDrawList();
    const ImVec2 lo(std::min(a.x, b.x) - 2, std::min(a.y, b.y) - 2);
    const ImVec2 hi(std::max(a.x, b.x) + 2, std::max(a.y, b.y) + 2);
    list->AddRect(lo, hi, IM_COL32(0, 0, 0, 200), 0.0f, 0, 4.0f);
    list->AddRect(lo, hi, IM_COL32(255, 220, 40, 255), 0.0f, 0, 2.0f);
}

void LevelEditor::DrawPanels(GameObject& obj)
{
    // A panel's edit is one undo step; dragging a slider merges into the step it began.
    const std::string before = EntryText(obj);
    StartPanelColumn(kPanelColumnX, kTop);
    for (size_t i = 0; i < obj.components.size(); ++i) obj.components[i]->DrawEditor();
    const std::string after = EntryText(obj);
    if (after != before)
    {
        history.RecordChange(obj, before, after, panelActive_);
        Edited();
    }
    panelActive_ = ImGui::IsAnyItemActive();
}

void LevelEditor::DrawLeaveQuestion()
{
    const char* title = "Leave the editor?";
    if (!askingToLeave) return;
    if (!ImGui::IsPopupOpen(title)) ImGui::OpenPopup(title);
    if (!ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
    ImGui::TextUnformatted("The level has unsaved changes.");
    int choice = 0;
    const char* const choices[] = {"Save", "Leave", "Stay"};
    for (int i = 0; i < 3; ++i)
    {
        if (i > 0) ImGui::SameLine();
        if (ImGui::Button(choices[i])) choice = i + 1;
        EditorGui::NoteItem(choices[i]);
    }
    if (choice != 0) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    if (choice == 1 && !SaveLevelAndMap()) choice = 3; // a refused save keeps the editor open
    if (choice == 0) return;
    askingToLeave = false;
    editorOpen = choice == 3;
}

void LevelEditor::DrawWindow()
{
    FrameRateController& clock = FrameRateController::Get();
    ImGui::SetNextWindowPos(ImVec2(kLeft, kTop), ImGuiCond_FirstUseEver);
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
    EditorGui::NoteItem("Set Back to Initial");
    if (ImGui::Button("Save Level and Map")) SaveLevelAndMap();
    EditorGui::NoteItem("Save Level and Map");
    ImGui::End();
}

void LevelEditor::DrawPalettes()
{
    // Beside the editor window, not on top of it; it fits a 720-line screen.
    const float height = std::min(kPaletteHeight, ImGui::GetIO().DisplaySize.y - 2 * kTop);
    ImGui::SetNextWindowPos(ImVec2(kPaletteX, kTop), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(kPaletteWidth, height), ImGuiCond_FirstUseEver);
    ImGui::Begin("Palette");
    ImGui::BeginDisabled(history.UndoCount() == 0);
    if (ImGui::Button("Undo")) Undo();
    EditorGui::NoteItem("Undo");
    ImGui::EndDisabled();
    ImGui::SameLine();
    ImGui::BeginDisabled(history.RedoCount() == 0);
    if (ImGui::Button("Redo")) Redo();
    EditorGui::NoteItem("Redo");
    ImGui::EndDisabled();
    ImGui::TextUnformatted("Pick one, then click in the world.");
    if (ImGui::RadioButton("Select and drag", armedLayer == 0 && !erasing))
    {
        armedLayer = 0;
        erasing = false;
    }
    EditorGui::NoteItem("Select and drag");
    if (ImGui::RadioButton("Erase map tiles", erasing))
    {
        armedLayer = 0;
        erasing = true;
    }
    EditorGui::NoteItem("Erase map tiles");
    const std::pair<const char*, int> groups[] = {{"Map", kLayerMap},
                                                  {"BackDecorate", kLayerBackDecorate},
                                                  {"Default", kLayerGameplay},
                                                  {"FrontDecorate", kLayerDecorate}};
    for (const auto& g : groups)
    {
        const bool open = ImGui::CollapsingHeader(g.first);
        EditorGui::NoteItem(g.first);
        if (!open) continue;
        const auto& palette = palettes[g.second];
        for (size_t i = 1; i < palette.size(); ++i)
        {
            ImGui::PushID(g.second * 10000 + static_cast<int>(i));
            DrawThumbnail(palette[i]);
            ImGui::SameLine();
            const bool armed = armedLayer == g.second && armedIndex == i;
            if (ImGui::Selectable(palette[i].c_str(), armed, 0, ImVec2(0, kThumb)))
            {
                armedLayer = g.second;
                armedIndex = i;
                erasing = false;
                layer = g.second;
            }
            EditorGui::NoteItem(palette[i].c_str());
            ImGui::PopID();
        }
    }
    ImGui::End();
}
