// The EditorPanel that draws with the editor's GUI; valid only while a GUI frame is open.
#pragma once

#include "engine/objects/EditorPanel.h"

EditorPanel& GuiPanels();
// Where the next panel opened for the first time goes: a column from (x, y) down.
void StartPanelColumn(float x, float y);
