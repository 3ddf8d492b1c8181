#include "game/DevKeys.h"

#include "engine/core/Engine.h"
#include "engine/core/GameRoles.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "game/player/Player.h"

bool DevKeyActs(const DevKey& key)
{
    InputManager& in = InputManager::Get();
    return key.held ? in.IsKeyPressed(key.key) : in.IsKeyTriggered(key.key);
}

void RunDeveloperKeys()
{
    LevelManager& levels = LevelManager::Get();
    if (DevKeyActs(DevKeys::kNextLevel))
    {
        levels.NextLevel();
        Engine::Get().titleMenuReached = true;
    }
    if (DevKeyActs(DevKeys::kPreviousLevel)) levels.PreviousLevel();
    if (DevKeyActs(DevKeys::kGodMode) && !OnTitleLevel())
    {
        GameObject* player = GameObjectManager::Get().Player();
        if (Player* p = player ? player->Get<Player>() : nullptr) p->godMode = !p->godMode;
    }
}
