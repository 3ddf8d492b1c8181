// The EditorPanel that draws with the editor's GUI; valid only while a GUI frame is open.
#pragma once

#include "engine/objects/EditorPanel.h"

EditorPanel& GuiPanels();
