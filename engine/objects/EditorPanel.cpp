#include "engine/objects/EditorPanel.h"

namespace
{
EditorPanel*& Current()
{
    static EditorPanel none;
    static EditorPanel* current = &none;
    return current;
}
} // namespace

EditorPanel& Panel()
{
    return *Current();
}

void SetEditorPanel(EditorPanel* panel)
{
    static EditorPanel none;
    Current() = panel ? panel : &none;
}
