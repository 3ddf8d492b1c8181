#include "engine/graphics/SpriteSheet.h"

#include <cmath>
#include <cstdlib>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"

namespace
{
bool IsBlank(const std::string& line)
{
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r') return false;
    return true;
}

// Four finite numbers separated by white space, and nothing else.
bool ParseFour(const std::string& s, float out[4])
{
    const char* p = s.c_str();
    for (int i = 0; i < 4; ++i)
    {
        char* end = nullptr;
        double v = std::strtod(p, &end);
        if (end == p || !std::isfinite(v) || std::fabs(v) > 1e7) return false;
        out[i] = static_cast<float>(v);
        p = end;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r') ++p;
    return *p == '\0';
}
} // namespace

int ParseFrameRects(const std::string& text, const std::string& file, std::vector<FrameRect>& out,
                    size_t maxRects)
{
    int added = 0;
    int lineNumber = 0;
    for (const std::string& line : Files::SplitLines(text))
    {
        ++lineNumber;
        if (IsBlank(line)) continue;
        size_t eq = line.find('=');
        float v[4];
        if (eq == std::string::npos || !ParseFour(line.substr(eq + 1), v))
        {
            std::string what =
                "line " + std::to_string(lineNumber) + ": expected \"label = x y w h\"; skipped";
            LogDataWarning("sprite", file.c_str(), "", what.c_str());
            continue;
        }
        if (out.size() >= maxRects)
        {
            std::string what =
                "more than " + std::to_string(maxRects) + " frames in all; the rest are ignored";
            LogDataWarning("sprite", file.c_str(), "", what.c_str());
            break;
        }
        out.push_back(FrameRect{v[0], v[1], v[2], v[3]});
        ++added;
    }
    return added;
}
