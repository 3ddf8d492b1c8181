// GameDump: the game's keys of the --dump snapshot ("Player"). Outside checks read these names:
// keep them stable and only add keys.
#pragma once

#include "engine/data/Json.h"

void WriteGameDump(JsonWriter& w);
