#pragma once
#include <string>

// Turns a text layout (legend lines "tile <char> <archetype>", then "map" and
// the rows, top row first) into a map file. Returns false with a message on
// stderr when the layout is malformed.
bool BuildMap(const std::string& layoutPath, const std::string& mapsDir);
