// RegisterEditor: hands the engine the level editor's hooks (its keys, its windows and the
// switch that stops the simulation). Idempotent; the program calls it before Engine::Init.
#pragma once

void RegisterEditor();
