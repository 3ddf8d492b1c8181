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

const char* RunOptionsUsage()
{
    return "usage: bellrun [--data DIR] [--pref DIR] [--level NAME] [--frames N] [--windowed] "
           "[--size WxH]\n"
           "               [--headless] [--fixed-clock] [--input FILE] [--dump FILE]\n"
           "               [--screenshot FILE]"
           " [--seed N] [--editor]";
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
