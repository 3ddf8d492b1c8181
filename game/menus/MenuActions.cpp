#include "game/menus/MenuActions.h"

#include <cstdio>
#include <filesystem>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/GameRoles.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/core/Settings.h"
#include "engine/core/WindowManager.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/physics/Body.h"
#include "game/GameLevels.h"
#include "game/GameNames.h"
#include "game/menus/ButtonList.h"
#include "game/menus/MenuNotice.h"

namespace
{
constexpr int kEventRestartLevel = 12;

void SetPaused(bool paused)
{
    GameObjectManager::Get().paused = paused;
    CameraManager::Get().paused = paused;
}

// Menus opened from the title screen: the title buttons live on a layer that runs only while
// the game is not paused, and the menus on one that runs only while it is.
void OpenMenu(const char* fileName)
{
    Engine::Get().menuActionPending = true;
    ShowMenu(fileName);
    if (OnTitleLevel())
    {
        SetPaused(true);
        ShowTitleButtons(false);
    }
}

void OpenConfirmation(const char* fileName)
{
    Engine::Get().menuActionPending = true;
    ShowMenu(fileName);
}

void StopPlayer()
{
    if (GameObject* player = GameObjectManager::Get().Player())
        if (Body* body = player->Get<Body>()) body->velocity = glm::vec2(0.0f);
}

void Controls()
{
    Engine::Get().menuActionPending = true;
    LogPrintf("Controls clicked!!!\n");
    // Slot 0 pictures the controller, slot 1 the keyboard: show the one in the player's hands.
    int slot = InputManager::Get().controllerConnected ? 0 : 1;
    GameObjectManager::Get().ForEachActive(kLayerMenu,
                                           [slot](GameObject& obj)
                                           {
                                               if (obj.name != "ControlsMenu.json") return;
                                               if (Sprite* sprite = obj.Get<Sprite>())
                                                   sprite->TextureSlot = sprite->AnimationIndex =
                                                       slot;
                                           });
    OpenMenu("ControlsMenu.json");
}

void Resume()
{
    GameObjectManager::Get().TogglePause();
    StopPlayer();
    AudioSettings& audio = AudioSettings::Get();
    if (!audio.muteMusic && !audio.muteAll) audio.SetMusicVolume(128);
    InputManager& input = InputManager::Get();
    if (input.controllerConnected)
        input.HideCursorForPlay();
    else
        input.UseArrowCursor();
}

void Back()
{
    // The press that brings the pause menu back must not also press one of its buttons.
    Engine::Get().menuActionPending = true;
    ShowMenu(GameLevels::kPauseMenu);
    if (!OnTitleLevel()) return;
    SetPaused(false);
    GameObjectManager::Get().ResetMenusForPlay();
    ShowTitleButtons(true);
}

void ToggleFullScreen(MenuButton& button)
{
    Engine& engine = Engine::Get();
    engine.fullscreen = !engine.fullscreen;
    WindowManager::Get().SetFullscreen(engine.fullscreen);
    button.text = ToggleLabel(kClickToggleFullScreen);
    SaveCurrentSettings();
}

void ToggleMute(bool& flag, MenuButton& button, int function)
{
    Engine& engine = Engine::Get();
    AudioSettings& audio = AudioSettings::Get();
    flag = !flag;
    // Lifting one mute while the other still holds keeps the music silent.
    bool silent = audio.muteMusic || audio.muteAll;
    audio.SetMusicVolume(silent ? 0 : 50);
    if (!silent) audio.RestoreMusicLoudness();
    engine.musicStarted = !flag;
    button.text = ToggleLabel(function);
    SaveCurrentSettings();
}

void SaveYes()
{
    bool saved = LevelManager::Get().SaveGame();
    Engine::Get().menuActionPending = true;
    ShowMenu(GameLevels::kPauseMenu);
    ShowMenuNotice(saved ? "Game saved" : "The game could not be saved");
}

void BackToPlay()
{
    SetPaused(false);
    GameObjectManager::Get().ResetMenusForPlay();
}

void RestartLevelYes()
{
    EventManager::Get().PostEvent(kEventRestartLevel);
    BackToPlay();
}

void RestartGameYes()
{
    LevelManager::Get().RestartGame();
    BackToPlay();
}

void QuitYes()
{
    Engine::Get().running = false;
    Engine::Get().levelActive = false;
}

void LoadGame()
{
    // Without a save there is nothing to load: say so, rather than reload the running level.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(LevelManager::Get().SavePath(), ec))
    {
        Engine::Get().menuActionPending = true;
        ShowMenuNotice("No saved game");
        return;
    }
    LevelManager::Get().loadFromSave = true;
    LevelManager::Get().levelChangePending = true;
}

// "100%", " 90%", "  0%": the menus' face has even widths, so a padded label fills its click box
// (sized for "100%") without being stretched.
std::string Percent(int percent)
{
    std::string digits = std::to_string(percent);
    return std::string(digits.size() < 3 ? 3 - digits.size() : 0, ' ') + digits + "%";
}

// Percent steps of the two volumes: a press goes up and wraps, left and right stop at the ends.
void SetVolume(int function, int percent)
{
    AudioSettings& audio = AudioSettings::Get();
    if (function == kClickMusicVolume)
        audio.SetMusicPercent(percent);
    else
        audio.SetEffectsPercent(percent);
    SaveCurrentSettings();
}

int Volume(int function)
{
    AudioSettings& audio = AudioSettings::Get();
    return function == kClickMusicVolume ? audio.MusicPercent() : audio.EffectsPercent();
}

void PressVolume(MenuButton& button, int function)
{
    int percent = Volume(function);
    SetVolume(function, percent >= 100 ? 0 : percent + 10);
    button.text = ToggleLabel(function);
}
} // namespace

void ShowMenu(const std::string& fileName)
{
    GameObjectManager::Get().ShowMenu(fileName);
}

void ShowTitleButtons(bool show)
{
    GameObjectManager::Get().ForEachActive(kLayerHud,
                                           [show](GameObject& obj)
                                           {
                                               if (show)
                                                   obj.ShowButtonLists();
                                               else
                                                   obj.HideButtonLists();
                                           });
}

std::string ToggleLabel(int clickFunction)
{
    AudioSettings& audio = AudioSettings::Get();
    switch (clickFunction)
    {
    case kClickToggleFullScreen:
        return Engine::Get().fullscreen ? "Turn Full Screen Mode Off" : "Turn Full Screen Mode On";
    case kClickMuteMusic:
        return audio.muteMusic ? "Unmute Music" : "Mute Music";
    case kClickMuteAll:
        return audio.muteAll ? "Unmute All Audio" : "Mute All Audio";
    case kClickMusicVolume:
        return "Music Volume: " + Percent(audio.MusicPercent());
    case kClickEffectsVolume:
        return "Effects Volume: " + Percent(audio.EffectsPercent());
    default:
        return std::string();
    }
}

bool IsStepSetting(int clickFunction)
{
    return clickFunction == kClickMusicVolume || clickFunction == kClickEffectsVolume;
}

void StepSetting(MenuButton& button, int direction)
{
    if (!IsStepSetting(button.clickFunction)) return;
    int percent = Volume(button.clickFunction) + (direction < 0 ? -10 : 10);
    SetVolume(button.clickFunction, percent < 0 ? 0 : percent > 100 ? 100 : percent);
    button.text = ToggleLabel(button.clickFunction);
    // Heard at the new loudness: the player sets the effects by ear.
    AudioSettings::Get().PlayEffect("Sounds/select.wav", 35);
}

void RunClickFunction(int number, MenuButton& button)
{
    AudioSettings& audio = AudioSettings::Get();
    switch (number)
    {
    case kClickNewGame:
        LevelManager::Get().NextLevel();
        break;
    case kClickLoadGame:
        LoadGame();
        break;
    case kClickControls:
        Controls();
        break;
    case kClickQuit:
        OpenMenu(GameLevels::kQuitMenu);
        break;
    case kClickResume:
        Resume();
        break;
    case kClickSaveGame:
        OpenConfirmation("ConfirmSaveMenu.json");
        break;
    case kClickBack:
        Back();
        break;
    case kClickMainMenu:
        OpenConfirmation("ConfirmMainMenu.json");
        break;
    case kClickQuitYes:
        QuitYes();
        break;
    case kClickOptions:
        OpenMenu("OptionsMenu.json");
        break;
    case kClickToggleFullScreen:
        ToggleFullScreen(button);
        break;
    case kClickMuteMusic:
        ToggleMute(audio.muteMusic, button, number);
        break;
    case kClickMuteAll:
        ToggleMute(audio.muteAll, button, number);
        break;
    case kClickRestartLevel:
        OpenConfirmation("ConfirmRestartLevelMenu.json");
        break;
    case kClickRestartGame:
        OpenConfirmation("ConfirmRestartGameMenu.json");
        break;
    case kClickMainMenuYes:
        LevelManager::Get().GoToFirstLevel();
        break;
    case kClickSaveYes:
        SaveYes();
        break;
    case kClickRestartLevelYes:
        RestartLevelYes();
        break;
    case kClickRestartGameYes:
        RestartGameYes();
        break;
    case kClickCredits:
        OpenMenu("CreditsMenu.json");
        break;
    case kClickMusicVolume:
    case kClickEffectsVolume:
        PressVolume(button, number);
        break;
    default:
        break;
    }
}
