// The editor's level-sized tools: a new level, a reload from the files, resizing the map, and
// playing the level from the mouse with the way back to the editor. Each rebuilds the running
// level from documents put into the resource cache (a level is always built from its cached
// document), so unsaved edits survive a play and a resize.
#include "editor/LevelEditor.h"

#include <algorithm>
#include <iterator>

#include <imgui.h>

#include "editor/GuiPanel.h"
#include "engine/core/CameraManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"

namespace
{
constexpr int kMinSide = 8;
// What a new level holds besides its floor, player and exit: the curtain that opens it, the
// pause menu with the screens it leads to and every confirmation, and the HUD.
const char* const kLevelFrame[] = {"Curtain.json",
                                   "PauseMenu.json",
                                   "OptionsMenu.json",
                                   "ControlsMenu.json",
                                   "ConfirmQuitMenu.json",
                                   "ConfirmSaveMenu.json",
                                   "ConfirmMainMenu.json",
                                   "ConfirmRestartLevelMenu.json",
                                   "ConfirmRestartGameMenu.json",
                                   "HealthBar.json",
                                   "DetectionFrame.json",
                                   "DetectionBar.json",
                                   "BallIcon.json",
                                   "EmpIcon.json"};

std::string LevelPath(const std::string& name)
{
    return "GameData/Levels/" + name;
}

std::string MapPath(const std::string& name)
{
    return "GameData/Maps/" + name;
}

// A side of kMinSide to MapManager::kMaxSide, within the map's cell cap.
bool SizeFits(int width, int height)
{
    return width >= kMinSide && height >= kMinSide && width <= MapManager::kMaxSide &&
           height <= MapManager::kMaxSide &&
           static_cast<long>(width) * height <= MapManager::kMaxCells;
}

// A map of the given size, empty but for a floor row of ground tiles along the bottom.
std::string FloorMapText(const std::string& name, int width, int height)
{
    return JsonText(
        [&](JsonWriter& w)
        {
            WriteMapDocument(w, name, width, height, [](int, int r) { return r == 0; },
                             {"", "TileGround.json"});
        });
}

void WriteEntry(JsonWriter& w, const char* archetype, float x, float y, bool checkpoint)
{
    w.StartObject();
    w.Key("Name");
    w.String(archetype);
    w.Key("OverWrite");
    w.StartObject();
    w.Key("Transform");
    w.StartObject();
    const float position[] = {x, y, 0.0f};
    WriteNumbers(w, "Position", position, 3);
    w.EndObject();
    if (checkpoint)
    {
        w.Key("Player");
        w.StartObject();
        WriteNumbers(w, "CheckPoint", position, 2);
        w.EndObject();
    }
    w.EndObject();
    w.EndObject();
}

std::string NewLevelText(const std::string& name, const std::string& map, int width, int height)
{
    return JsonText(
        [&](JsonWriter& w)
        {
            w.StartObject();
            w.Key("Name");
            w.String(name.c_str());
            w.Key("Map");
            w.String(map.c_str());
            // Tile r spans r +- 0.5: the floor's top is at 0.5, the player (2 high) stands at 1.5.
            w.Key("Camera");
            w.StartObject();
            const float position[] = {14.5f, 8.0f, 15.0f};
            WriteNumbers(w, "Position", position, 3);
            const std::pair<const char*, float> bounds[] = {
                {"MinX", 14.5f},
                {"MaxX", std::max(14.5f, static_cast<float>(width) - 15.5f)},
                {"MinY", 8.0f},
                {"MaxY", std::max(8.0f, static_cast<float>(height) - 9.0f)}};
            for (const auto& b : bounds)
            {
                w.Key(b.first);
                w.Double(b.second);
            }
            w.EndObject();
            w.Key("GameObjects");
            w.StartArray();
            WriteEntry(w, "Player.json", 3.0f, 1.5f, true);
            WriteEntry(w, "LevelExit.json", static_cast<float>(width - 4), 2.0f, false);
            for (const char* frame : kLevelFrame)
            {
                w.StartObject();
                w.Key("Name");
                w.String(frame);
                w.EndObject();
            }
            w.EndArray();
            w.EndObject();
        });
}

// On one line, as the generator writes the shipped list.
std::string ListText(const std::vector<std::string>& levels)
{
    std::string text = "[";
    for (size_t i = 0; i < levels.size(); ++i) text += (i ? ", \"" : "\"") + levels[i] + "\"";
    return text + "]\n";
}

bool Refuse(const char* why, const std::string& name)
{
    LogLine("editor: new level \"%s\": %s; nothing made", name.c_str(), why);
    return false;
}
} // namespace

bool LevelEditor::NewLevel(const std::string& name, int width, int height, size_t listPlace)
{
    if (!Files::IsPlainFileName(name) || name.size() < 6 ||
        name.compare(name.size() - 5, 5, ".json") != 0)
        return Refuse("the name must be a plain file name ending in .json", name);
    if (!SizeFits(width, height)) return Refuse("the map size is out of range", name);
    LevelManager& levels = LevelManager::Get();
    std::string text;
    if (std::find(levels.levels.begin(), levels.levels.end(), name) != levels.levels.end() ||
        Files::ReadDataFile(LevelPath(name), text))
        return Refuse("a level of that name exists", name);
    const std::string map = name.substr(0, name.size() - 5) + "Map.json";
    const std::string mapText = FloorMapText(map, width, height);
    const std::string levelText = NewLevelText(name, map, width, height);
    std::vector<std::string> list = levels.levels;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(listPlace, list.size())), name);
    const std::string listText = ListText(list);
    // Map and level before the list: a list never names a level that is not there.
    if (!Files::WriteFileAtomic(Files::DataPath(MapPath(map)), mapText) ||
        !Files::WriteFileAtomic(Files::DataPath(LevelPath(name)), levelText) ||
        !Files::WriteFileAtomic(Files::DataPath("System/LevelList.json"), listText))
        return Refuse("a file could not be written", name);
    ResourceManager& resources = ResourceManager::Get();
    resources.AddDocument(MapPath(map), mapText);
    resources.AddDocument(LevelPath(name), levelText);
    levels.ReadList(resources.AddDocument("System/LevelList.json", listText),
                    "System/LevelList.json");
    levels.GoToLevel(name);
    LogLine("editor: new level %s (%dx%d) made, entry %zu of the list", name.c_str(), width, height,
            std::min(listPlace, list.size() - 1));
    return true;
}

bool LevelEditor::ReloadLevel()
{
    const std::string level = LevelPath(GameObjectManager::Get().levelName);
    const std::string map = MapPath(MapManager::Get().GetMapName());
    std::string levelText, mapText;
    if (!Files::ReadDataFile(level, levelText) || !Files::ReadDataFile(map, mapText))
    {
        LogLine("editor: %s or its map cannot be read; not reloaded", level.c_str());
        return false;
    }
    ResourceManager::Get().AddDocument(map, mapText);
    ResourceManager::Get().AddDocument(level, levelText);
    LevelManager::Get().GoToLevel(GameObjectManager::Get().levelName);
    return true;
}

void LevelEditor::Rebuild(const std::string& levelText, const std::string& mapText)
{
    const std::string name = GameObjectManager::Get().levelName;
    ResourceManager::Get().AddDocument(MapPath(MapManager::Get().GetMapName()), mapText);
    ResourceManager::Get().AddDocument(LevelPath(name), levelText);
    LevelManager::Get().GoToLevel(name);
}

bool LevelEditor::PlayFrom(glm::vec2 world)
{
    GameObject* player = GameObjectManager::Get().Player();
    Transform* t = player ? player->Get<Transform>() : nullptr;
    if (!t || playing_) return false;
    play_.level = LevelText();
    play_.map = MapManager::Get().MapText();
    play_.name = GameObjectManager::Get().levelName;
    play_.unsaved = unsaved_;
    play_.mapName = MapManager::Get().GetMapName();
    if (Camera* cam = CameraManager::Get().GetCurrentCamera()) play_.camera = cam->position;
    playing_ = true;
    playStart_ = world;
    startPending_ = true;
    editorOpen = askingToLeave = false;
    allObjectsWork = true;
    Rebuild(play_.level, play_.map);
    return true;
}

void LevelEditor::ReturnFromPlay()
{
    if (!playing_) return;
    playing_ = false;
    returning_ = true;
    editorOpen = true;
    ResourceManager::Get().AddDocument(MapPath(play_.mapName), play_.map);
    ResourceManager::Get().AddDocument(LevelPath(play_.name), play_.level);
    LevelManager::Get().GoToLevel(play_.name);
}

bool LevelEditor::ResizeMap(int left, int right, int bottom, int top)
{
    MapManager& map = MapManager::Get();
    const int width = map.Width + left + right, height = map.Height + bottom + top;
    if (!SizeFits(width, height))
    {
        LogLine("editor: a map of %dx%d is out of range; not resized", width, height);
        return false;
    }
    // Everything moves with its tiles: the level looks the same, with room added or cut.
    const glm::vec3 shift(static_cast<float>(left), static_cast<float>(bottom), 0.0f);
    GameObjectManager& objects = GameObjectManager::Get();
    for (int l = 0; l < kLayerHud; ++l)
        if (l != kLayerMap)
            objects.ForEachActive(l,
                                  [&](GameObject& obj)
                                  {
                                      if (Transform* t = obj.Get<Transform>()) t->position += shift;
                                  });
    if (Camera* cam = CameraManager::Get().GetCurrentCamera())
    {
        cam->home += shift;
        cam->min += shift;
        cam->max += shift + glm::vec3(static_cast<float>(right), static_cast<float>(top), 0.0f);
    }
    const std::string mapText = JsonText(
        [&](JsonWriter& w)
        {
            WriteMapDocument(
                w, map.GetMapName(), width, height,
                [&](int c, int r) { return map.IndexAt(c - left, r - bottom); }, map.ObjectNames);
        });
    Rebuild(LevelText(), mapText);
    unsavedAfterLoad_ = true;
    return true;
}

void LevelEditor::DrawLevelWindow()
{
    ImGui::SetNextWindowPos(ImVec2(10.0f, 120.0f), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(200.0f, 365.0f), ImGuiCond_FirstUseEver);
    ImGui::Begin("Level");
    if (ImGui::Button("Reload from file")) ReloadLevel();
    ImGui::TextWrapped("F5: play from the mouse; F1 comes back.");
    ImGui::Separator();
    ImGui::TextUnformatted("New level");
    GuiPanels().InputText("Name", &newName_);
    ImGui::InputInt("Columns", &newWidth_);
    ImGui::InputInt("Rows", &newHeight_);
    ImGui::InputInt("List place", &newPlace_);
    if (ImGui::Button("Make new level"))
        NewLevel(newName_, newWidth_, newHeight_, static_cast<size_t>(std::max(newPlace_, 0)));
    ImGui::Separator();
    ImGui::TextUnformatted("Resize map (+ adds, - cuts)");
    const char* sides[] = {"Left", "Right", "Bottom", "Top"};
    for (int i = 0; i < 4; ++i) ImGui::InputInt(sides[i], &grow_[i]);
    if (ImGui::Button("Resize") && ResizeMap(grow_[0], grow_[1], grow_[2], grow_[3]))
        std::fill(std::begin(grow_), std::end(grow_), 0);
    ImGui::End();
}
