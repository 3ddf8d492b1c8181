// RunOptions: the developer switches. With none given the game plays exactly as designed.
#pragma once

#include <cstdint>
#include <string>

struct RunOptions
{
    std::string dataDir;   // --data DIR
    std::string prefDir;   // --pref DIR: saves and settings here instead of the user's folder
    std::string level;     // --level NAME: start here instead of the title level
    long frames = -1;      // --frames N: shut down normally after N frames
    bool windowed = false; // --windowed
    bool headless = false; // --headless: no window, GPU, audio output or pacing
    // --fixed-clock: every frame counts one budget long and is not paced, as headless, so a
    // windowed run replays exactly (benchmarks, picture comparisons).
    bool fixedClock = false;
    std::string inputFile;  // --input FILE: scripted input
    std::string dumpFile;   // --dump FILE: JSON snapshot at shut-down
    std::string screenshot; // --screenshot FILE: PNG of the last frame
    uint32_t seed = 0;      // --seed N
    bool seedGiven = false;
    bool editor = false;            // --editor: open the level editor (F1 toggles it too)
    int width = 1280, height = 720; // --size WxH for --windowed
    bool help = false;              // --help: the usage, then exit
    bool version = false;           // --version: the version, then exit
    // The program's own runs keep their output in the preference folder's "bellrun.log";
    // a game started inside a test or a benchmark leaves the player's log alone.
    bool writeLog = false;
};

// Parses argv. Returns false and fills error on a malformed command line.
bool ParseRunOptions(int argc, char** argv, RunOptions& out, std::string& error);
// Every switch with one line on what it does.
const char* RunOptionsUsage();
// The project's version ("0.1").
const char* BellrunVersion();
