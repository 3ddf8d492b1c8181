// Stealth sections: guards, cameras, thrown items, chargers, checkpoints, trash cans and the HUD
// bars, in archetypes and in the levels' overrides. Each needs the pieces its behaviour touches.
#include "ContentChecks.h"
#include "JsonFiles.h"

#include <map>

namespace
{
using rapidjson::Value;

struct Need
{
    const char* section;
    std::vector<const char*> parts; // sections the object must also have
    std::vector<const char*> types; // allowed "Type"s (empty: any)
    int sprites;                    // sprite slots the behaviour shows (0: no sprite needed)
};

// What each stealth behaviour reads or writes on its own object.
const Need kNeeds[] = {
    {"Guard", {"Transform", "Body"}, {"GUARD"}, 4},
    {"Camera", {"Transform", "Body"}, {}, 0},
    {"SecurityCamera", {"Transform", "Body"}, {"ALARM"}, 1},
    {"EMP", {"Transform", "Body"}, {"EMP"}, 0},
    {"Charger", {"Transform", "Body"}, {"EMPCHARGER", "POCKETBALLCHARGER"}, 1},
    {"CheckPoint", {"Transform", "Body"}, {"DEFAULT", "BOX"}, 2},
    {"TrashCan", {"Transform", "Body"}, {"HIDEBOX"}, 2},
    {"HealthBar", {"Sprite"}, {"HUD"}, 3},
    {"StaminaBar", {"Transform"}, {"HUD"}, 0},
};

bool IsNumber(const Value& v, const char* key)
{
    return v.IsObject() && (!v.HasMember(key) || v[key].IsNumber());
}

// A "Camera" section, in an archetype or a level's override.
void CheckCameraSection(const std::string& file, const Value& cam, Report& rep)
{
    if (!cam.IsObject()) return rep.Error(file, "Camera", "must be an object");
    if (cam.HasMember("FOVScale"))
    {
        const Value& s = cam["FOVScale"];
        if (!s.IsArray() || s.Size() != 2 || !s[0].IsNumber() || !s[1].IsNumber())
            rep.Error(file, "FOVScale", "needs two numbers");
    }
    if (!cam.HasMember("SecurityCamera")) return;
    const Value& sc = cam["SecurityCamera"];
    if (!sc.IsObject()) return rep.Error(file, "SecurityCamera", "must be an object");
    for (const char* k : {"AngleSpeed", "DefaultAngle"})
        if (!IsNumber(sc, k)) rep.Error(file, k, "must be a number");
    for (const char* k : {"IdleTime", "SearchTime"})
        if (sc.HasMember(k) && (!sc[k].IsInt() || sc[k].GetInt() < 0))
            rep.Error(file, k, "must be a whole number of milliseconds, 0 or more");
}

void CheckNeeds(const std::string& file, const Value& doc, Report& rep)
{
    const std::string type =
        doc.HasMember("Type") && doc["Type"].IsString() ? doc["Type"].GetString() : "";
    for (const Need& n : kNeeds)
    {
        if (!doc.HasMember(n.section)) continue;
        for (const char* part : n.parts)
            if (!doc.HasMember(part))
                rep.Error(file, n.section, std::string("needs a \"") + part + "\" section too");
        bool typeOk = n.types.empty();
        for (const char* t : n.types) typeOk = typeOk || type == t;
        if (!typeOk)
            rep.Error(file, "Type",
                      std::string("\"") + type + "\" cannot carry \"" + n.section + "\"");
        if (n.sprites == 0) continue;
        const Value* tex = doc.HasMember("Sprite") && doc["Sprite"].IsObject() &&
                                   doc["Sprite"].HasMember("Textures") &&
                                   doc["Sprite"]["Textures"].IsArray()
                               ? &doc["Sprite"]["Textures"]
                               : nullptr;
        if (!tex || static_cast<int>(tex->Size()) < n.sprites)
            rep.Error(file, "Textures",
                      std::string("\"") + n.section + "\" shows " + std::to_string(n.sprites) +
                          " sprite slots");
    }
    if (doc.HasMember("Camera")) CheckCameraSection(file, doc["Camera"], rep);
    if (doc.HasMember("StaminaBar") && !IsNumber(doc["StaminaBar"], "Target"))
        rep.Error(file, "Target", "must be a number");
}
} // namespace

void CheckStealthFiles(const std::string& data, Report& rep)
{
    const std::string objects = data + "/GameData/GameObjects/";
    bool guards = false, cameras = false;
    for (const std::string& name : ListFiles(data + "/GameData/GameObjects", ".json"))
    {
        rapidjson::Document doc;
        if (!LoadJson(objects + name, doc, rep) || !doc.IsObject()) continue;
        CheckNeeds(objects + name, doc, rep);
        guards = guards || doc.HasMember("Guard");
        cameras = cameras || doc.HasMember("Camera");
    }
    // What guards, cameras and the player's throws spawn during play.
    std::map<std::string, bool> spawned = {{"GuardFOV.json", guards},
                                           {"CameraFOV.json", cameras},
                                           {"PokeBall.json", true},
                                           {"EMP.json", true}};
    for (const auto& s : spawned)
    {
        if (!s.second) continue;
        rapidjson::Document doc;
        if (!FileExists(objects + s.first))
        {
            rep.Error(objects + s.first, "", "missing; it is spawned during play");
            continue;
        }
        if (LoadJson(objects + s.first, doc, rep) && doc.IsObject() &&
            (!doc.HasMember("Transform") || !doc.HasMember("Body")))
            rep.Error(objects + s.first, "Body", "a spawned item needs a transform and a body");
    }
    const std::string levels = data + "/GameData/Levels/";
    for (const std::string& name : ListFiles(data + "/GameData/Levels", ".json"))
    {
        rapidjson::Document doc;
        if (!LoadJson(levels + name, doc, rep) || !doc.IsObject() ||
            !doc.HasMember("GameObjects") || !doc["GameObjects"].IsArray())
            continue;
        for (const Value& o : doc["GameObjects"].GetArray())
            if (o.IsObject() && o.HasMember("OverWrite") && o["OverWrite"].IsObject() &&
                o["OverWrite"].HasMember("Camera"))
                CheckCameraSection(levels + name, o["OverWrite"]["Camera"], rep);
    }
}
