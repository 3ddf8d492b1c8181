#pragma once
#include <string>

// Writes the screen-space HUD pieces: the three life counters and the
// detection meter (fill bar and its framed backing).
bool MakeHudArt(const std::string& texDir);
