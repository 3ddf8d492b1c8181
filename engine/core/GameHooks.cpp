#include "engine/core/GameHooks.h"

namespace
{
GameHooks*& Current()
{
    static GameHooks none;
    static GameHooks* current = &none;
    return current;
}
} // namespace

GameHooks& Hooks()
{
    return *Current();
}

void SetGameHooks(GameHooks* hooks)
{
    static GameHooks none;
    Current() = hooks ? hooks : &none;
}
