// Story files: dialog text files, record files, and what levels say about them (play lists,
// dialog triggers, curtains).
#include "ContentChecks.h"
#include "JsonFiles.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{
using rapidjson::Value;

std::vector<std::string> ReadLines(const std::string& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void CheckDialogFile(const std::string& path, Report& rep)
{
    bool ok = false;
    const std::vector<std::string> lines = ReadLines(path, ok);
    if (!ok) return rep.Error(path, "", "cannot be read");
    if (lines.empty() || lines.size() % 2) rep.Error(path, "", "needs pairs of lines: text, scale");
    for (size_t i = 1; i < lines.size(); i += 2)
    {
        std::istringstream s(lines[i]);
        float x = 0, y = 0;
        if (!(s >> x >> y) || x <= 0 || y <= 0)
            rep.Error(path, "line " + std::to_string(i + 1), "needs two positive scales");
        if (lines[i - 1].empty()) rep.Error(path, "line " + std::to_string(i), "empty page");
    }
}

void CheckRecordFile(const std::string& path, Report& rep)
{
    rapidjson::Document doc;
    if (!LoadJson(path, doc, rep)) return;
    if (!doc.IsArray() || doc.Size() < 2) return rep.Error(path, "", "needs at least two entries");
    unsigned last = 0;
    for (rapidjson::SizeType i = 0; i < doc.Size(); ++i)
    {
        const Value& e = doc[i];
        bool good = e.IsArray() && e.Size() == 6;
        for (rapidjson::SizeType k = 0; good && k < 6; ++k)
            good = k < 4 ? e[k].IsUint() : e[k].IsNumber();
        if (!good) return rep.Error(path, "entry " + std::to_string(i), "not six numbers");
        if (e[0].GetUint() < last)
            rep.Error(path, "entry " + std::to_string(i), "goes back in time");
        last = e[0].GetUint();
    }
    if (doc[0][0].GetUint() != 0) rep.Error(path, "entry 0", "must start at time 0");
}

// The value of `section`.`key` after the archetype and the level entry's "OverWrite".
const Value* Effective(const Value* archetype, const Value& entry, const char* section,
                       const char* key)
{
    const Value* found = nullptr;
    for (const Value* v : {archetype, entry.HasMember("OverWrite") ? &entry["OverWrite"] : nullptr})
        if (v && v->IsObject() && v->HasMember(section) && (*v)[section].IsObject() &&
            (*v)[section].HasMember(key))
            found = &(*v)[section][key];
    return found;
}

void CheckLevelStory(const std::string& data, const std::string& name, Report& rep)
{
    const std::string file = data + "/GameData/Levels/" + name;
    rapidjson::Document doc;
    if (!LoadJson(file, doc, rep) || !doc.IsObject() || !doc.HasMember("GameObjects") ||
        !doc["GameObjects"].IsArray())
        return;
    std::vector<std::string> placed;
    for (const Value& entry : doc["GameObjects"].GetArray())
    {
        if (!entry.IsObject() || !entry.HasMember("Name") || !entry["Name"].IsString()) continue;
        const std::string arch = entry["Name"].GetString();
        rapidjson::Document a;
        const std::string archPath = data + "/GameData/GameObjects/" + arch;
        const Value* av = FileExists(archPath) && LoadJson(archPath, a, rep) ? &a : nullptr;
        if (const Value* list = Effective(av, entry, "RecordAndPlay", "PlayList"))
            for (const Value& r : list->GetArray())
                if (!r.IsString() || !FileExists(data + "/GameData/Record/" + r.GetString()))
                    rep.Error(file, "PlayList", "names a missing record file");
        if (const Value* d = Effective(av, entry, "DialogTrigger", "DialogFile"))
            if (!d->IsString() ||
                std::find(placed.begin(), placed.end(), d->GetString()) == placed.end())
                rep.Error(file, "DialogFile", "names no dialog placed before the trigger");
        if (av && av->HasMember("Curtain"))
        {
            const Value* end = Effective(av, entry, "Curtain", "EndCall");
            if (!end || !end->IsBool() || !end->GetBool())
                rep.Error(file, "EndCall", "a curtain without it covers the screen for good");
        }
        placed.push_back(arch);
    }
}
} // namespace

void CheckStoryFiles(const std::string& data, Report& rep)
{
    for (const std::string& name : ListFiles(data + "/GameData/Dialog", ".txt"))
        CheckDialogFile(data + "/GameData/Dialog/" + name, rep);
    for (const std::string& name : ListFiles(data + "/GameData/Record", ".json"))
        CheckRecordFile(data + "/GameData/Record/" + name, rep);
    const std::string objects = data + "/GameData/GameObjects";
    for (const std::string& name : ListFiles(objects, ".json"))
    {
        rapidjson::Document doc;
        if (!LoadJson(objects + "/" + name, doc, rep) || !doc.IsObject()) continue;
        if (!doc.HasMember("DialogBox") || !doc["DialogBox"].IsObject()) continue;
        const Value& box = doc["DialogBox"];
        if (!box.HasMember("TextFile") || !box["TextFile"].IsString() ||
            !FileExists(data + "/" + box["TextFile"].GetString()))
            rep.Error(objects + "/" + name, "TextFile", "names a missing dialog file");
    }
    for (const std::string& name : ListFiles(data + "/GameData/Levels", ".json"))
        CheckLevelStory(data, name, rep);
}
