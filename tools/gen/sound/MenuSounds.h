#pragma once
#include <string>

// The menus' two clicks: "button.wav" (hover) and "select.wav" (press), as WAV into dir.
bool MakeMenuSounds(const std::string& dir);
