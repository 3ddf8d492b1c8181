#pragma once
#include <string>

// Turns the level lines of a text layout (before "map": "level", "scenery", "player", "exit",
// "guard", "camera", ...; docs/LEVELS.md lists them) into a level file, and its "page" lines
// into the level's dialog text. A layout without a "level" line writes nothing and succeeds.
// Returns false with a message on stderr when a line is malformed.
bool BuildLevel(const std::string& layoutPath, const std::string& dataDir);

// Writes System/LevelList.json from a text file naming one level file a line, in play order.
bool BuildLevelList(const std::string& listPath, const std::string& dataDir);
