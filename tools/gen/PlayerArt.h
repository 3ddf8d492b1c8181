#pragma once
#include <string>

// Writes the player's pose sheets and their coordinate files into texDir.
bool MakePlayerArt(const std::string& texDir);
