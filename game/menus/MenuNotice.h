// MenuNotice: one short line under the menus ("Game saved", "No saved game") that answers an
// action which otherwise shows nothing, for two seconds.
#pragma once

#include <string>

void ShowMenuNotice(const std::string& text);
// Counts the notice down by one frame and queues its text, once a frame however many menus
// call it (every shown button list does, so the line stays while a menu is up).
void DrawMenuNotice();
// The line on screen now; empty when none.
const std::string& CurrentMenuNotice();
