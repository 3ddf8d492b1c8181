#pragma once
#include <string>

// Writes the map tiles (solid and decorative), each one unit square.
bool MakeTileArt(const std::string& texDir);
