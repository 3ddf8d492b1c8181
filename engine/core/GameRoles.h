// GameRoles: the names of the game's data that the engine's own passes act on. The engine names
// no level, menu, tune or font itself: the game fills these in once (RegisterGame), and a
// program without a game keeps the empty roles (no title level, no music, no menus to show).
#pragma once

#include <string>
#include <vector>

struct GameRoles
{
    // The title level: no pausing or god mode there, the title's music volume, the arrow cursor.
    std::string titleLevel;
    // Levels where the pause key does nothing (the title, the cutscenes, the attract demo).
    std::vector<std::string> noPauseLevels;
    // The music of every level but the boss's, which has its own.
    std::string levelMusic;
    std::string bossLevel;
    std::string bossMusic;
    // The menu objects the pause key and the window's close button show.
    std::string pauseMenu;
    std::string quitMenu;
    // The fonts, in the text renderer's font numbers; the game cannot start without them.
    std::vector<std::string> fonts;
};

const GameRoles& Roles();
void SetGameRoles(const GameRoles& roles);

// The running level is the title level.
bool OnTitleLevel();
// Pausing is off in the running level.
bool PauseOffHere();
