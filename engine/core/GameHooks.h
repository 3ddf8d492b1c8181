// GameHooks: what the engine asks of the game. The engine never includes game/ or editor/; the
// game hands it these answers once at start-up, from RegisterGame (defined in game/).
#pragma once

#include "engine/data/Json.h"

class GameObject;

// What the render pass needs to know of the player for its lighting.
struct PlayerLight
{
    bool known = false;        // false: the lighting flags keep their previous values
    bool closingLight = false; // the ending's closing light is running
    bool godMode = false;
};

class GameHooks
{
  public:
    virtual ~GameHooks() = default;

    // Start-up, after input opens and before the preload (the editor reads its palettes).
    virtual void StartEditor() {}
    // Start-up, at the end: whether the editor window starts open.
    virtual void SetEditorOpen(bool) {}
    virtual bool EditorOpen() const { return false; }
    // False while the editor has stopped the simulation (no updates, no collision passes).
    virtual bool SimulationRunning() const { return true; }
    // The editor window, drawn after the queued texts.
    virtual void DrawEditor() {}
    // Once a frame after the debug keys: the editor's own keys and mouse (open or closed).
    virtual void EditorFrame() {}

    // The god-mode developer key (the engine has already ruled out the title level).
    virtual void ToggleGodMode(GameObject&) {}
    virtual PlayerLight LightOf(GameObject&) const { return {}; }

    // Shows or hides a menu object's button lists.
    virtual void ShowButtonLists(GameObject&, bool) {}

    // The game's own keys of the --dump snapshot, written after "Objects".
    virtual void WriteDumpSections(JsonWriter&) const {}
};

// The game's hooks, or a set that answers as if there were no game.
GameHooks& Hooks();
// Takes effect for the rest of the run; the object must outlive it.
void SetGameHooks(GameHooks* hooks);

// Defined by the game: registers its component table and hooks. Idempotent; main calls it before
// Engine::Init, and so must anything else that starts the engine.
void RegisterGame();
