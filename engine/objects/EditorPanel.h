// EditorPanel: the controls a component's editor panel is made of. A component describes its
// panel in DrawEditor through these calls; the level editor (a library above the engine) draws
// them with its GUI. Without an editor nothing is drawn and no control reports a change, so
// game code never needs the GUI library.
#pragma once

#include <string>

#include "engine/core/Registered.h"

class EditorPanel
{
  public:
    virtual ~EditorPanel() = default;

    // A window; the size applies the first time it opens (0: the GUI's own choice).
    virtual void Begin(const char*, float = 0.0f, float = 0.0f) {}
    virtual void End() {}
    // Each control returns true on the frame its value changed (or the button was pressed).
    virtual bool SliderFloat(const char*, float*, float, float) { return false; }
    virtual bool InputFloat(const char*, float*, float = 0.0f, const char* = "%.3f")
    {
        return false;
    }
    virtual bool InputInt(const char*, int*) { return false; }
    virtual bool Checkbox(const char*, bool*) { return false; }
    // A line of text (a file name, a caption), at most 255 bytes long.
    virtual bool InputText(const char*, std::string*) { return false; }
    virtual bool Button(const char*) { return false; }
    virtual void Text(const char*) {}
};

// The editor's panel drawer, or one that draws nothing.
inline EditorPanel& Panel()
{
    return Registered<EditorPanel>::Get();
}
// Takes effect for the rest of the run; the object must outlive it.
inline void SetEditorPanel(EditorPanel* panel)
{
    Registered<EditorPanel>::Set(panel);
}
