#pragma once
#include <string>

// The menus' pictures (backdrops with the facility's terminal panel, the controls pictures, the
// title's splash slides and its menu plate) and the menu files that place their labels.
// fontDir holds the game's fonts: labels are measured with the faces the game draws them in.
bool MakeMenuArt(const std::string& texDir, const std::string& fontDir);
bool MakeMenuFiles(const std::string& objectDir, const std::string& fontDir);
// All of the menus' content: pictures, menu files and the two clicks (as WAV into wavDir).
bool MakeMenuContent(const std::string& dataDir, const std::string& wavDir);
