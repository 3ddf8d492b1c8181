// The click functions: what a menu button does when pressed, by its "ClickFunction" number.
#pragma once

#include <string>

#include "game/GameNames.h"

struct MenuButton;

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

// Shows or hides the title screen's buttons (the button lists of layer 8).
void ShowTitleButtons(bool show);
