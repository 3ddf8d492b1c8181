#pragma once
#include <string>

// Writes the player's pose sheets and their coordinate files into texDir.
bool MakePlayerArt(const std::string& texDir);

// Writes the 32 x 32 window icon as a 32-bit BMP.
bool MakeIcon(const std::string& bmpPath);
