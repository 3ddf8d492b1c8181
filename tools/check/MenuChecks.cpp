#include "MenuChecks.h"

#include "JsonFiles.h"
#include "game/GameNames.h"

#include <map>
#include <set>
#include <vector>

namespace
{
using rapidjson::Value;

// The game's own table of click-function names (game/GameNames.h).
bool KnownFunction(const std::string& name)
{
    for (const ClickName& f : kClickNames)
        if (name == f.name) return true;
    return false;
}

// The menu each opening click function shows; the level must hold it.
const std::map<std::string, std::string> kOpens = {{"Controls", "ControlsMenu.json"},
                                                   {"Quit", "ConfirmQuitMenu.json"},
                                                   {"SaveGame", "ConfirmSaveMenu.json"},
                                                   {"MainMenu", "ConfirmMainMenu.json"},
                                                   {"Options", "OptionsMenu.json"},
                                                   {"RestartLevel", "ConfirmRestartLevelMenu.json"},
                                                   {"RestartGame", "ConfirmRestartGameMenu.json"},
                                                   {"Credits", "CreditsMenu.json"}};

// Questions whose "Yes" loses something: a menu opens on its first button, so "No" comes first.
const std::map<std::string, std::string> kNoFirst = {{"ConfirmQuitMenu.json", "QuitNo"},
                                                     {"ConfirmMainMenu.json", "Back"},
                                                     {"ConfirmRestartLevelMenu.json", "Back"},
                                                     {"ConfirmRestartGameMenu.json", "Back"}};

const std::set<std::string> kFonts = {"Fonts/Pixel_Countdown.ttf", "Fonts/Serif_Bold.ttf",
                                      "Fonts/Facet_Regular.ttf", "Fonts/EraserRegular.ttf"};

struct Archetype
{
    std::string type;
    std::vector<std::string> functions;
    bool title = false;
};

bool Numbers(const Value& b, const char* key, unsigned count)
{
    if (!b.HasMember(key) || !b[key].IsArray() || b[key].Size() < count) return false;
    for (const Value& n : b[key].GetArray())
        if (!n.IsNumber()) return false;
    return true;
}

void CheckButton(const std::string& file, const std::string& at, const Value& b, Archetype& a,
                 Report& rep)
{
    if (!b.IsObject())
    {
        rep.Error(file, at, "a button must be an object");
        return;
    }
    if (!Numbers(b, "Position", 3)) rep.Error(file, at + ".Position", "needs 3 numbers");
    if (!Numbers(b, "Scale", 2)) rep.Error(file, at + ".Scale", "needs 2 numbers");
    if (b.HasMember("Color"))
    {
        bool ok = b["Color"].IsArray() && b["Color"].Size() == 3;
        for (unsigned i = 0; ok && i < 3; ++i)
            ok = b["Color"][i].IsInt() && b["Color"][i].GetInt() >= 0 &&
                 b["Color"][i].GetInt() <= 255;
        if (!ok) rep.Error(file, at + ".Color", "needs 3 integers 0-255");
    }
    if (!b.HasMember("Font") || !b["Font"].IsString() || !kFonts.count(b["Font"].GetString()))
        rep.Error(file, at + ".Font", "must name one of the four fonts the game loads");
    if (!b.HasMember("Text") || !b["Text"].IsString())
        rep.Error(file, at + ".Text", "missing or not a string");
    for (const char* flag : {"Active", "UI", "Hidden"})
        if (b.HasMember(flag) &&
            (!b[flag].IsString() || (std::string(b[flag].GetString()) != "true" &&
                                     std::string(b[flag].GetString()) != "false")))
            rep.Error(file, at + "." + flag, "must be the string \"true\" or \"false\"");
    bool active = b.HasMember("Active") && b["Active"].IsString() &&
                  std::string(b["Active"].GetString()) == "true";
    if (!b.HasMember("ClickFunction"))
    {
        if (active) rep.Error(file, at + ".ClickFunction", "an active button needs one");
        return;
    }
    if (!b["ClickFunction"].IsString() || !KnownFunction(b["ClickFunction"].GetString()))
    {
        rep.Error(file, at + ".ClickFunction", "not a click function name");
        return;
    }
    if (active) a.functions.push_back(b["ClickFunction"].GetString());
}

std::map<std::string, Archetype> ReadArchetypes(const std::string& data, Report& rep)
{
    std::map<std::string, Archetype> out;
    const std::string dir = data + "/GameData/GameObjects";
    for (const std::string& name : ListFiles(dir, ".json"))
    {
        rapidjson::Document doc;
        Report quiet; // parse errors are the archetype check's to report
        if (!LoadJson(dir + "/" + name, doc, quiet) || !doc.IsObject()) continue;
        Archetype& a = out[name];
        if (doc.HasMember("Type") && doc["Type"].IsString()) a.type = doc["Type"].GetString();
        a.title = doc.HasMember("MainMenu");
        const std::string file = dir + "/" + name;
        if (!doc.HasMember("Buttons"))
        {
            if (a.type == "MENU") rep.Error(file, "Buttons", "a menu needs its buttons");
            continue;
        }
        if (!doc["Buttons"].IsArray())
        {
            rep.Error(file, "Buttons", "must be an array");
            continue;
        }
        for (unsigned i = 0; i < doc["Buttons"].Size(); ++i)
            CheckButton(file, "Buttons[" + std::to_string(i) + "]", doc["Buttons"][i], a, rep);
        auto noFirst = kNoFirst.find(name);
        if (noFirst != kNoFirst.end() && (a.functions.empty() || a.functions[0] != noFirst->second))
            rep.Error(file, "Buttons",
                      "the first button the question opens on must answer no (\"" +
                          noFirst->second + "\")");
    }
    return out;
}

void CheckLevelMenus(const std::string& data, const std::string& level, bool titleLevel,
                     const std::map<std::string, Archetype>& types, Report& rep)
{
    const std::string file = data + "/GameData/Levels/" + level;
    rapidjson::Document doc;
    Report quiet;
    if (!LoadJson(file, doc, quiet) || !doc.IsObject() || !doc.HasMember("GameObjects") ||
        !doc["GameObjects"].IsArray())
        return;
    std::set<std::string> names;
    bool player = false, title = false;
    for (const Value& o : doc["GameObjects"].GetArray())
    {
        if (!o.IsObject() || !o.HasMember("Name") || !o["Name"].IsString()) continue;
        names.insert(o["Name"].GetString());
        auto it = types.find(o["Name"].GetString());
        if (it == types.end()) continue;
        player = player || it->second.type == "PLAYER";
        title = title || it->second.title;
    }
    if (titleLevel && !title)
        rep.Error(file, "GameObjects",
                  "the title level needs its title screen (a \"MainMenu\" object)");
    // The attract demo and the cutscenes play themselves: no pause there.
    const bool pausable =
        level != "AutoLevel.json" && level != "GuardCutscene.json" && level != "RobotCutscene.json";
    if (player && pausable)
        for (const char* menu : {"PauseMenu.json", "ConfirmQuitMenu.json"})
            if (!names.count(menu))
                rep.Error(file, "GameObjects", std::string("a playable level needs ") + menu);
    for (const std::string& name : names)
    {
        auto it = types.find(name);
        if (it == types.end()) continue;
        for (const std::string& f : it->second.functions)
        {
            auto opens = kOpens.find(f);
            if (opens != kOpens.end() && !names.count(opens->second))
                rep.Error(file, "GameObjects",
                          name + " opens " + opens->second + ", which the level lacks");
        }
    }
}
} // namespace

void CheckMenus(const std::string& data, Report& rep)
{
    for (const char* sound : {"Sounds/button.wav", "Sounds/select.wav"})
        if (!FileExists(data + "/" + sound)) rep.Error(data + "/" + sound, "", "missing file");
    const std::map<std::string, Archetype> types = ReadArchetypes(data, rep);
    rapidjson::Document list;
    Report quiet;
    if (!LoadJson(data + "/System/LevelList.json", list, quiet) || !list.IsArray()) return;
    for (unsigned i = 0; i < list.Size(); ++i)
        if (list[i].IsString()) CheckLevelMenus(data, list[i].GetString(), i == 0, types, rep);
}
