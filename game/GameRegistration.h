// RegisterGame: the one place where the game hands the engine what it needs (its component and
// object-type tables, level roles, hooks and dump sections). Idempotent; the program calls it
// before Engine::Init, and so must anything else that starts the engine with the game.
#pragma once

void RegisterGame();
