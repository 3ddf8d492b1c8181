#include "data/MapBuild.h"

#include "data/JsonOut.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace
{

struct Layout
{
    std::string name;
    std::vector<std::pair<char, std::string>> legend;
    std::vector<std::string> rows;
};

bool Fail(const std::string& file, const std::string& why)
{
    std::fprintf(stderr, "%s: %s\n", file.c_str(), why.c_str());
    return false;
}

bool ReadLayout(const std::string& path, Layout& out)
{
    std::ifstream in(path);
    if (!in) return Fail(path, "cannot open");
    std::string line;
    bool inMap = false;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inMap)
        {
            if (!line.empty()) out.rows.push_back(line);
            continue;
        }
        std::istringstream ls(line);
        std::string key;
        ls >> key;
        if (key == "name")
        {
            ls >> out.name;
        }
        else if (key == "tile")
        {
            std::string ch, file;
            ls >> ch >> file;
            if (ch.size() != 1 || file.empty()) return Fail(path, "bad legend line: " + line);
            out.legend.emplace_back(ch[0], file);
        }
        else if (key == "map")
        {
            inMap = true;
        }
    }
    if (out.name.empty() || out.rows.empty()) return Fail(path, "needs a name and map rows");
    return true;
}

} // namespace

bool BuildMap(const std::string& layoutPath, const std::string& mapsDir)
{
    Layout lay;
    if (!ReadLayout(layoutPath, lay)) return false;
    std::map<char, int> index;
    for (size_t i = 0; i < lay.legend.size(); ++i)
        index[lay.legend[i].first] = static_cast<int>(i) + 1;
    const size_t width = lay.rows.front().size();
    rapidjson::Document doc(rapidjson::kObjectType);
    gen::JsonAlloc& a = doc.GetAllocator();
    gen::Json rows(rapidjson::kArrayType);
    for (size_t r = 0; r < lay.rows.size(); ++r)
    {
        if (lay.rows[r].size() != width)
            return Fail(layoutPath, "row " + std::to_string(r) + " has a different width");
        gen::Json row(rapidjson::kArrayType);
        for (size_t c = 0; c < width; ++c)
        {
            const char ch = lay.rows[r][c];
            int v = 0;
            if (ch != '.')
            {
                auto it = index.find(ch);
                if (it == index.end())
                    return Fail(layoutPath, std::string("unknown cell '") + ch + "'");
                v = it->second;
            }
            row.PushBack(v, a);
        }
        rows.PushBack(row, a);
    }
    gen::Json names(rapidjson::kArrayType);
    for (const auto& entry : lay.legend) names.PushBack(gen::Str(entry.second, a), a);
    gen::Json map = gen::JsonObject(a)
                        .Add("Name", lay.name)
                        .Add("Height", static_cast<int>(lay.rows.size()))
                        .Add("Width", static_cast<int>(width))
                        .Add("MapObjectData", std::move(rows))
                        .Add("ObjectList", std::move(names))
                        .Take();
    return gen::WriteJsonFile(mapsDir + "/" + lay.name, map);
}
