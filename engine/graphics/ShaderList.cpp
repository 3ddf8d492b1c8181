#include "engine/graphics/ShaderList.h"

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"

std::vector<std::pair<std::string, std::string>> ReadShaderList(const std::string& text,
                                                                const std::string& listPath)
{
    std::vector<std::string> lines;
    for (std::string line : Files::SplitLines(text))
    {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        // Blank lines (a trailing one, say) are not part of a pair.
        if (!line.empty()) lines.push_back(line);
    }
    if (lines.size() % 2 != 0)
        LogDataWarning("shaders", listPath.c_str(), "",
                       ("\"" + lines.back() + "\" has no fragment shader; ignored").c_str());
    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) pairs.emplace_back(lines[i], lines[i + 1]);
    return pairs;
}
