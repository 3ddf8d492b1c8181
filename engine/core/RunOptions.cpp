#include "engine/core/RunOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
bool ParseLong(const char* text, long& out)
{
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || end == text) return false;
    out = v;
    return true;
}
} // namespace

#ifndef BELLRUN_VERSION
#define BELLRUN_VERSION "unknown"
#endif

const char* BellrunVersion()
{
    return BELLRUN_VERSION;
}

const char* RunOptionsUsage()
{
    return "usage: bellrun [switches]\n"
           "Bellrun, a 2D stealth platformer. Normal play takes no switches.\n"
           "\n"
           "  --help             print this text and exit\n"
           "  --version          print the version and exit\n"
           "  --data DIR         read the game's data from DIR\n"
           "  --pref DIR         keep saves and settings in DIR (tests)\n"
           "  --windowed         play in a window (see --size) instead of full screen\n"
           "  --size WxH         the window's size with --windowed (default 1280x720)\n"
           "  --level NAME       start at that level of System/LevelList.json\n"
           "  --frames N         shut down after N frames\n"
           "  --headless         no window, sound or frame pacing (tests and replays)\n"
           "  --fixed-clock      a window whose frames each count 16 ms, unpaced\n"
           "  --input FILE       play the scripted input in FILE\n"
           "  --dump FILE        write a JSON snapshot of the game at shut-down\n"
           "  --screenshot FILE  write the last frame of a --frames run as PNG\n"
           "  --seed N           seed the game's random source\n"
           "  --editor           open the level editor (F1 also opens it)\n";
}

bool ParseRunOptions(int argc, char** argv, RunOptions& out, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        std::string a = argv[i];
        auto value = [&](std::string& dst)
        {
            if (i + 1 >= argc) return false;
            dst = argv[++i];
            return true;
        };
        std::string v;
        bool ok = true;
        if (a == "--data")
            ok = value(out.dataDir);
        else if (a == "--pref")
            ok = value(out.prefDir) && !out.prefDir.empty();
        else if (a == "--level")
            ok = value(out.level);
        else if (a == "--input")
            ok = value(out.inputFile);
        else if (a == "--dump")
            ok = value(out.dumpFile);
        else if (a == "--screenshot")
            ok = value(out.screenshot);
        else if (a == "--windowed")
            out.windowed = true;
        else if (a == "--headless")
            out.headless = true;
        else if (a == "--fixed-clock")
            out.fixedClock = true;
        else if (a == "--editor")
            out.editor = true;
        else if (a == "--help" || a == "-h")
            out.help = true;
        else if (a == "--version")
            out.version = true;
        else if (a == "--frames")
            ok = value(v) && ParseLong(v.c_str(), out.frames) && out.frames >= 0;
        else if (a == "--seed")
        {
            long s = 0;
            ok = value(v) && ParseLong(v.c_str(), s) && s >= 0;
            out.seed = static_cast<uint32_t>(s);
            out.seedGiven = true;
        }
        else if (a == "--size")
        {
            ok = value(v) && std::sscanf(v.c_str(), "%dx%d", &out.width, &out.height) == 2 &&
                 out.width > 0 && out.height > 0;
        }
        else
        {
            error = "unknown switch " + a;
            return false;
        }
        if (!ok)
        {
            error = "bad or missing value for " + a;
            return false;
        }
    }
    return true;
}
