// Robots and the boss: their sections in archetypes and levels, and what a boss level needs.
#include "ContentChecks.h"

#include "JsonFiles.h"

namespace
{
using rapidjson::Value;

bool PairOfNumbers(const Value& v)
{
    return v.IsArray() && v.Size() >= 2 && v[0].IsNumber() && v[1].IsNumber();
}

// The keys of a "Robot" or "BossFOV" section: pairs of numbers or plain numbers.
void CheckSection(const std::string& file, const Value& owner, Report& rep)
{
    if (owner.HasMember("Robot"))
    {
        const Value& r = owner["Robot"];
        if (!r.IsObject()) rep.Error(file, "Robot", "must be an object");
        for (const char* key : {"StartPos", "EndPos", "FlickSpeed"})
            if (r.IsObject() && r.HasMember(key) && !PairOfNumbers(r[key]))
                rep.Error(file, key, "must be an array of two numbers");
    }
    if (owner.HasMember("BossFOV"))
    {
        const Value& b = owner["BossFOV"];
        if (!b.IsObject()) rep.Error(file, "BossFOV", "must be an object");
        for (const char* key : {"AngleSpeed", "DefaultAngle"})
            if (b.IsObject() && b.HasMember(key) && !b[key].IsNumber())
                rep.Error(file, key, "must be a number");
    }
}

std::string TypeOf(const std::string& data, const std::string& arch, Report& rep)
{
    rapidjson::Document a;
    const std::string path = data + "/GameData/GameObjects/" + arch;
    if (!FileExists(path) || !LoadJson(path, a, rep) || !a.IsObject() || !a.HasMember("Type") ||
        !a["Type"].IsString())
        return std::string();
    return a["Type"].GetString();
}

void CheckLevel(const std::string& data, const std::string& name, Report& rep)
{
    const std::string file = data + "/GameData/Levels/" + name;
    rapidjson::Document doc;
    if (!LoadJson(file, doc, rep) || !doc.IsObject() || !doc.HasMember("GameObjects") ||
        !doc["GameObjects"].IsArray())
        return;
    int bosses = 0, cones = 0;
    for (const Value& entry : doc["GameObjects"].GetArray())
    {
        if (!entry.IsObject() || !entry.HasMember("Name") || !entry["Name"].IsString()) continue;
        const std::string type = TypeOf(data, entry["Name"].GetString(), rep);
        bosses += type == "Boss";
        cones += type == "BossFOV";
        if (!entry.HasMember("OverWrite") || !entry["OverWrite"].IsObject()) continue;
        const Value& over = entry["OverWrite"];
        CheckSection(file, over, rep);
        // Every "BossFOV" section read adds a turning component and lists the cone again.
        if (over.HasMember("BossFOV"))
            rep.Error(file, "BossFOV", "an override adds a second cone; give it an archetype");
    }
    if (bosses > 0 && cones < 2)
        rep.Error(file, "GameObjects", "a boss needs at least two vision cones");
    if (bosses > 0 && !doc.HasMember("Camera"))
        rep.Error(file, "Camera", "a boss level needs a camera to shake");
}
} // namespace

void CheckEnemies(const std::string& data, Report& rep)
{
    const std::string objects = data + "/GameData/GameObjects";
    for (const std::string& name : ListFiles(objects, ".json"))
    {
        rapidjson::Document doc;
        if (LoadJson(objects + "/" + name, doc, rep) && doc.IsObject())
            CheckSection(objects + "/" + name, doc, rep);
    }
    for (const std::string& name : ListFiles(data + "/GameData/Levels", ".json"))
        CheckLevel(data, name, rep);
}
