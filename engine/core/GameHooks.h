// GameHooks: what the engine asks of the game. The engine never includes game/ or editor/; the
// game hands it these answers once at start-up, from RegisterGame (game/GameRegistration.h).
#pragma once

#include "engine/core/Registered.h"
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

    // Once a frame, after the input is read: the developer keys that act on the whole game.
    virtual void DeveloperKeys() {}
    virtual PlayerLight LightOf(GameObject&) const { return {}; }

    // A level has just loaded (from the list or a save).
    virtual void LevelLoaded() {}

    // Shows or hides a menu object's button lists.
    virtual void ShowButtonLists(GameObject&, bool) {}

    // The game's own keys of the --dump snapshot, written after "Objects".
    virtual void WriteDumpSections(JsonWriter&) const {}
};

// The game's hooks, or a set that answers as if there were no game.
inline GameHooks& Hooks()
{
    return Registered<GameHooks>::Get();
}
// Takes effect for the rest of the run; the object must outlive it.
inline void SetGameHooks(GameHooks* hooks)
{
    Registered<GameHooks>::Set(hooks);
}
