// EditorHooks: what the engine asks of the level editor. The editor lives in its own library
// above the engine; it hands the engine these answers once at start-up, from RegisterEditor
// (editor/EditorRegistration.h). A program without the editor keeps the closed answers here.
#pragma once

#include "engine/core/Registered.h"

class EditorHooks
{
  public:
    virtual ~EditorHooks() = default;

    // Start-up, after input opens and before the preload (the editor reads its palettes).
    virtual void Start() {}
    // Start-up, at the end: whether the editor window starts open.
    virtual void SetOpen(bool) {}
    virtual bool Open() const { return false; }
    // False while the editor has stopped the simulation (no updates, no collision passes).
    virtual bool SimulationRunning() const { return true; }
    // Once a frame after the developer keys: the editor's own keys and mouse (open or closed).
    virtual void Frame() {}
    // The editor's windows, drawn after the queued texts.
    virtual void Draw() {}
    // After every level load (a change or a reload): what the editor kept of the old level goes.
    virtual void LevelLoaded() {}
};

// The editor's hooks, or a set that answers as if there were no editor.
inline EditorHooks& Editor()
{
    return Registered<EditorHooks>::Get();
}
// Takes effect for the rest of the run; the object must outlive it.
inline void SetEditorHooks(EditorHooks* hooks)
{
    Registered<EditorHooks>::Set(hooks);
}
