#include "engine/core/GameRoles.h"

#include <algorithm>

#include "engine/data/LevelManager.h"

namespace
{
GameRoles& Current()
{
    static GameRoles roles;
    return roles;
}
} // namespace

const GameRoles& Roles()
{
    return Current();
}

void SetGameRoles(const GameRoles& roles)
{
    Current() = roles;
}

bool OnTitleLevel()
{
    const std::string& title = Roles().titleLevel;
    return !title.empty() && LevelManager::Get().GetCurrentLevelName() == title;
}

bool PauseOffHere()
{
    const std::vector<std::string>& off = Roles().noPauseLevels;
    return std::find(off.begin(), off.end(), LevelManager::Get().GetCurrentLevelName()) !=
           off.end();
}
