#include "engine/data/LevelManager.h"

#include <cstdio>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/EditorHooks.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/GameHooks.h"
#include "engine/core/GameRoles.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelFile.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/objects/GameObjectManager.h"

LevelManager& LevelManager::Get()
{
    static LevelManager instance;
    return instance;
}

LevelManager::LevelManager()
{
    const char* listPath = "System/LevelList.json";
    ReadList(ResourceManager::Get().GetDocument(listPath), listPath);
}

void LevelManager::ReadList(const rapidjson::Document* doc, const char* listPath)
{
    levels.clear();
    JsonView list(doc, listPath);
    if (doc && !list.IsArray()) list.Warn("expected an array of level file names");
    for (size_t i = 0; i < list.Size(); ++i)
    {
        std::string name = list.At(i).AsString("");
        if (name.empty()) continue;
        levels.push_back(name);
    }
    if (doc && levels.empty()) list.Warn("no level file names; there is nothing to play");
    LogPrintf("Total Levels : %zu\n", levels.size());
    for (const std::string& name : levels)
    {
        ResourceManager::Get().GetDocument("GameData/Levels/" + name);
        LogPrintf("%s\n", name.c_str());
    }
    current = first = 0;
    wrapEntry = levels.size() >= 2 ? levels.size() - 2 : 0;
}

std::string LevelManager::GetCurrentLevelName() const
{
    return current < levels.size() ? levels[current] : std::string();
}

std::string LevelManager::SavePath() const
{
    return Engine::Get().prefPath + "save.json";
}

void LevelManager::ChangeTail()
{
    GraphicsManager::Get();
    SpotlightRadius = 25.0f;
    levelChangePending = true;
    CameraManager::Get().ResetToHome();
}

void LevelManager::MusicStep()
{
    Engine& engine = Engine::Get();
    AudioSettings& audio = AudioSettings::Get();
    const GameRoles& roles = Roles();
    if (!roles.bossLevel.empty() && GetCurrentLevelName() == roles.bossLevel)
    {
        audio.PlayMusic(roles.bossMusic);
        engine.musicStarted = false;
    }
    else if (!engine.musicStarted)
    {
        audio.PlayMusic(roles.levelMusic);
        engine.musicStarted = true;
    }
}

void LevelManager::NextLevel()
{
    if (levels.empty()) return;
    if (current + 1 >= levels.size() || current == wrapEntry)
        current = first;
    else
        ++current;
    MusicStep();
    ChangeTail();
}

void LevelManager::PreviousLevel()
{
    if (levels.empty()) return;
    if (current != first) --current;
    MusicStep();
    ChangeTail();
}

void LevelManager::RestartLevel()
{
    ChangeTail();
}

void LevelManager::GoToFirstLevel()
{
    current = first;
    levelChangePending = true;
    CameraManager::Get().ResetToHome();
}

void LevelManager::GoToLastLevel()
{
    if (levels.empty()) return;
    current = levels.size() - 1;
    LogPrintf("Level : %s\n", GetCurrentLevelName().c_str());
    CameraManager::Get().ResetToHome();
    levelChangePending = true;
}

void LevelManager::RestartGame()
{
    GoToFirstLevel();
    if (first + 1 < levels.size()) current = first + 1;
    MusicStep();
    ChangeTail();
}

bool LevelManager::GoToLevel(const std::string& name)
{
    for (size_t i = 0; i < levels.size(); ++i)
    {
        if (levels[i] != name) continue;
        current = i;
        if (i != first) MusicStep();
        ChangeTail();
        return true;
    }
    return false;
}

void LevelManager::LoadLevel()
{
    GraphicsManager::Get();
    SpotlightRadius = 25.0f;
    LogPrintf("Serializing Level : %s\n", GetCurrentLevelName().c_str());
    // A save that cannot be used leaves the running level, cameras included, as it was.
    if (loadFromSave)
        LoadFromSave();
    else
        LoadFromList();
    CameraManager::Get().ResetToHome();
    GameObjectManager& objects = GameObjectManager::Get();
    if (objects.paused)
        objects.TogglePause();
    else
        // A save written while its confirmation was up must not bring that menu back.
        objects.ShowMenu(Roles().pauseMenu);
    levelChangePending = false;
    Hooks().LevelLoaded();
    Editor().LevelLoaded();
    InputManager& input = InputManager::Get();
    if (current != first && input.controllerConnected && !OnTitleLevel())
        input.HideCursorForPlay();
    else
        input.UseArrowCursor();
    loadFromSave = false;
    GraphicsManager::Get().WarmTextures();
}

void LevelManager::LoadFromList()
{
    CameraManager::Get().cameras.clear();
    EventManager::Get().ClearAll();
    GameObjectManager::Get().DestroyAllObjects();
    std::string path = "GameData/Levels/" + GetCurrentLevelName();
    const rapidjson::Document* doc = ResourceManager::Get().GetDocument(path);
    if (!doc)
    {
        LogLine("level: %s: missing or not JSON; the level is empty", path.c_str());
        return;
    }
    LoadLevelDocument(JsonView(doc, ResourceManager::Get().KeepName(path)));
}

bool LevelManager::LoadFromSave()
{
    std::string path = SavePath();
    LogPrintf("%s\n", path.c_str());
    std::string text;
    if (!Files::ReadFile(path, text))
    {
        LogLine("save: %s: no saved game to load; the running level stays", path.c_str());
        return false;
    }
    return LoadSaveText(text, path);
}

bool LevelManager::LoadSaveText(const std::string& text, const std::string& path)
{
    rapidjson::Document doc;
    std::string error;
    if (!ParseJson(text, doc, &error))
    {
        LogLine("save: %s: not JSON (%s); the running level stays", path.c_str(), error.c_str());
        return false;
    }
    JsonView view(&doc, ResourceManager::Get().KeepName(path));
    std::string why;
    if (!ValidateLevelDocument(view, why))
    {
        LogLine("save: %s: %s; the running level stays", path.c_str(), why.c_str());
        return false;
    }
    CameraManager::Get().cameras.clear();
    EventManager::Get().ClearAll();
    GameObjectManager::Get().DestroyAllObjects();
    LoadLevelDocument(view);
    std::string name = view["Name"].AsString("");
    for (size_t i = 0; i < levels.size(); ++i)
        if (levels[i] == name)
        {
            current = i;
            break;
        }
    return true;
}

bool LevelManager::SaveGame()
{
    if (Engine::Get().prefPath.empty())
    {
        LogLine("save: no preference folder; the game is not saved");
        return false;
    }
    return WriteLevelFile(SavePath());
}
