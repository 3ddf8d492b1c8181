#include "engine/core/EditorHooks.h"

namespace
{
EditorHooks*& Current()
{
    static EditorHooks none;
    static EditorHooks* current = &none;
    return current;
}
} // namespace

EditorHooks& Editor()
{
    return *Current();
}

void SetEditorHooks(EditorHooks* hooks)
{
    static EditorHooks none;
    Current() = hooks ? hooks : &none;
}
