// The menus' part of the --dump snapshot.
#pragma once

#include "engine/data/Json.h"

// "Menus": {"Shown": [menu names], "Selected": index in the shown list, "TitleButtons",
// "TitleMenuReached", "FullScreen", "MuteMusic", "MuteAll"}.
void WriteMenuDump(JsonWriter& w);
