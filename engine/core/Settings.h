// Settings: the player's options that outlive a run (full screen, the two mutes, the music and
// effects volumes, and where the window was), kept in "settings.json" in the preference folder.
#pragma once

#include <string>

struct GameSettings
{
    bool fullScreen = true;
    bool muteMusic = false;
    bool muteAll = false;
    // Percent of the game's own loudness, 0 to 100 in steps of 10.
    int musicVolume = 100;
    int effectsVolume = 100;
    // Where the window was when last windowed; windowWidth 0 means nowhere yet.
    int windowX = 0, windowY = 0, windowWidth = 0, windowHeight = 0;
};

// Reads prefPath + "settings.json". A missing file is the defaults, silently; a damaged one is
// one line and the defaults; a key of the wrong type or out of range is one line and keeps its
// default.
GameSettings LoadSettings(const std::string& prefPath);
// The options of a settings file's text (path names it in the one line a damaged file gets).
GameSettings ParseSettings(const std::string& text, const std::string& path);
// Writes the file through a temp file and a rename, so a crash mid-write keeps the old options.
bool SaveSettings(const std::string& prefPath, const GameSettings& settings);

// The options as they stand in the running game (Engine::fullscreen, AudioSettings' mutes and
// volumes, the window's remembered place).
GameSettings CurrentSettings();
// Puts the mutes and volumes into AudioSettings (the window is the engine's start-up business).
void ApplyAudioSettings(const GameSettings& settings);
// Saves CurrentSettings to the engine's preference folder; nothing without one.
bool SaveCurrentSettings();
