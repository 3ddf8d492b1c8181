// The click functions: what a menu button does when pressed, by its "ClickFunction" number.
#pragma once

#include <string>

struct MenuButton;

enum ClickFunction
{
    kClickNewGame = 0,
    kClickLoadGame = 1,
    kClickControls = 2,
    kClickQuit = 3,
    kClickResume = 4,
    kClickSaveGame = 5,
    kClickBack = 6, // also "QuitNo"
    kClickMainMenu = 7,
    kClickQuitYes = 8,
    kClickOptions = 9,
    kClickToggleFullScreen = 10,
    kClickMuteMusic = 11,
    kClickMuteAll = 12,
    kClickRestartLevel = 13,
    kClickRestartGame = 14,
    kClickMainMenuYes = 15,
    kClickSaveYes = 16,
    kClickRestartLevelYes = 17,
    kClickRestartGameYes = 18,
    kClickCredits = 19,
    // The volume settings: a press steps up (wrapping past 100 % to 0), left and right step.
    kClickMusicVolume = 20,
    kClickEffectsVolume = 21,
    kClickFunctionCount = 22,
};

// Runs click function `number` for the pressed button; numbers outside the table do nothing.
void RunClickFunction(int number, MenuButton& button);

// Shows the menu object named fileName and hides every other menu.
void ShowMenu(const std::string& fileName);

// The label a toggle shows for the current flags (it offers the opposite), or a volume setting
// for its current value ("Music Volume:  70%"); empty for any other button.
std::string ToggleLabel(int clickFunction);
// A setting with steps (the volumes), which left and right change.
bool IsStepSetting(int clickFunction);
// Moves such a setting one 10 % step (direction -1 or +1, held at 0 and 100), relabels the
// button and keeps the choice in the settings file.
void StepSetting(MenuButton& button, int direction);

// The current level is the title level.
bool OnTitleLevel();
// Shows or hides the title screen's buttons (the button lists of layer 8).
void ShowTitleButtons(bool show);
