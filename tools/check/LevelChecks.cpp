#include "ContentChecks.h"

#include "JsonFiles.h"

#include <set>

namespace
{

using rapidjson::Value;

struct MapSize
{
    int w = 0, h = 0;
};

bool IsStringArray(const Value& v)
{
    if (!v.IsArray()) return false;
    for (const Value& e : v.GetArray())
        if (!e.IsString()) return false;
    return true;
}

bool CheckMap(const std::string& data, const std::string& name, MapSize& size,
              std::set<std::string>& used, Report& rep)
{
    const std::string file = data + "/GameData/Maps/" + name;
    rapidjson::Document doc;
    if (!LoadJson(file, doc, rep)) return false;
    if (!doc.IsObject() || !doc.HasMember("Width") || !doc["Width"].IsInt() ||
        !doc.HasMember("Height") || !doc["Height"].IsInt() || !doc.HasMember("MapObjectData") ||
        !doc["MapObjectData"].IsArray() || !doc.HasMember("ObjectList") ||
        !IsStringArray(doc["ObjectList"]))
    {
        rep.Error(file, "", "needs \"Width\", \"Height\", \"MapObjectData\" and \"ObjectList\"");
        return false;
    }
    if (!doc.HasMember("Name") || !doc["Name"].IsString() || name != doc["Name"].GetString())
        rep.Error(file, "Name", "must equal the file name");
    size = {doc["Width"].GetInt(), doc["Height"].GetInt()};
    const Value& rows = doc["MapObjectData"];
    const int n = static_cast<int>(doc["ObjectList"].Size());
    if (static_cast<int>(rows.Size()) != size.h)
        rep.Error(file, "MapObjectData", "row count differs from \"Height\"");
    for (const Value& row : rows.GetArray())
    {
        if (!row.IsArray() || static_cast<int>(row.Size()) != size.w)
        {
            rep.Error(file, "MapObjectData", "a row differs from \"Width\"");
            continue;
        }
        for (const Value& cell : row.GetArray())
            if (!cell.IsInt() || cell.GetInt() < 0 || cell.GetInt() > n)
                rep.Error(file, "MapObjectData", "cell value outside \"ObjectList\"");
    }
    for (const Value& o : doc["ObjectList"].GetArray())
    {
        used.insert(o.GetString());
        if (!FileExists(data + "/GameData/GameObjects/" + o.GetString()))
            rep.Error(file, "ObjectList",
                      std::string("names a missing archetype: ") + o.GetString());
    }
    return true;
}

// The view at distance z is 2 * 0.5578 z tall and 16:9 wide; it must stay on the map.
void CheckCamera(const std::string& file, const Value& cam, const MapSize* map, Report& rep)
{
    const char* keys[] = {"MinX", "MaxX", "MinY", "MaxY"};
    for (const char* k : keys)
        if (!cam.IsObject() || !cam.HasMember(k) || !cam[k].IsNumber())
        {
            rep.Error(file, "Camera", std::string("lacks \"") + k + "\"");
            return;
        }
    if (!cam.HasMember("Position") || !cam["Position"].IsArray() || cam["Position"].Size() != 3 ||
        !cam["Position"][2].IsNumber())
    {
        rep.Error(file, "Camera", "\"Position\" needs three numbers");
        return;
    }
    const double z = cam["Position"][2].GetDouble(), hh = 0.5578 * z, hw = hh * 16.0 / 9.0,
                 eps = 1e-3;
    const double minX = cam["MinX"].GetDouble(), maxX = cam["MaxX"].GetDouble();
    const double minY = cam["MinY"].GetDouble(), maxY = cam["MaxY"].GetDouble();
    if (minX > maxX || minY > maxY) rep.Error(file, "Camera", "minimum above maximum");
    if (map && (minX - hw < -0.5 - eps || maxX + hw > map->w - 0.5 + eps ||
                minY - hh < -0.5 - eps || maxY + hh > map->h - 0.5 + eps))
        rep.Error(file, "Camera", "bounds let the view leave the map");
}

void CheckLevel(const std::string& data, const std::string& name, std::set<std::string>& used,
                Report& rep)
{
    const std::string file = data + "/GameData/Levels/" + name;
    rapidjson::Document doc;
    if (!LoadJson(file, doc, rep) || !doc.IsObject()) return;
    if (!doc.HasMember("Name") || !doc["Name"].IsString() || name != doc["Name"].GetString())
        rep.Error(file, "Name", "must equal the file name");
    MapSize size;
    bool haveMap = false;
    if (doc.HasMember("Map"))
        haveMap = doc["Map"].IsString() && CheckMap(data, doc["Map"].GetString(), size, used, rep);
    if (!doc.HasMember("Camera"))
        rep.Error(file, "Camera", "missing");
    else
        CheckCamera(file, doc["Camera"], haveMap ? &size : nullptr, rep);
    if (!doc.HasMember("GameObjects") || !doc["GameObjects"].IsArray())
    {
        rep.Error(file, "GameObjects", "missing or not an array");
        return;
    }
    for (const Value& o : doc["GameObjects"].GetArray())
    {
        if (!o.IsObject() || !o.HasMember("Name") || !o["Name"].IsString())
        {
            rep.Error(file, "GameObjects", "an entry without \"Name\"");
            continue;
        }
        used.insert(o["Name"].GetString());
        if (!FileExists(data + "/GameData/GameObjects/" + o["Name"].GetString()))
            rep.Error(file, "Name", std::string("missing archetype ") + o["Name"].GetString());
    }
}

void CheckNameList(const std::string& data, const std::string& file, const char* key,
                   const Value& v, const std::string& dir, Report& rep)
{
    if (!IsStringArray(v))
    {
        rep.Error(file, key, "expected an array of file names");
        return;
    }
    for (const Value& e : v.GetArray())
        if (!FileExists(data + "/" + dir + "/" + e.GetString()))
            rep.Error(file, key, std::string("names a missing file: ") + e.GetString());
}

} // namespace

void CheckMapsAndLevels(const std::string& data, Report& rep)
{
    std::set<std::string> used;
    for (const std::string& name : ListFiles(data + "/GameData/Levels", ".json"))
        CheckLevel(data, name, used, rep);
    used.insert("Aimbox.json"); // spawned by the player controller
    rapidjson::Document pre;
    if (!LoadJson(data + "/System/PreLoad.json", pre, rep) || !IsStringArray(pre)) return;
    std::set<std::string> listed;
    for (const Value& e : pre.GetArray()) listed.insert(e.GetString());
    for (const std::string& u : used)
        if (!listed.count(u)) rep.Error(data + "/System/PreLoad.json", "", "does not list " + u);
}

void CheckSystemFiles(const std::string& data, Report& rep)
{
    rapidjson::Document doc;
    const std::string list = data + "/System/LevelList.json";
    if (LoadJson(list, doc, rep)) CheckNameList(data, list, "", doc, "GameData/Levels", rep);
    const std::string pre = data + "/System/PreLoad.json";
    if (LoadJson(pre, doc, rep)) CheckNameList(data, pre, "", doc, "GameData/GameObjects", rep);
    const std::string editor = data + "/System/LevelEditor.json";
    if (LoadJson(editor, doc, rep) && doc.IsObject())
        for (const char* key : {"Map", "BackDecorate", "Default", "FrontDecorate"})
            if (doc.HasMember(key))
                CheckNameList(data, editor, key, doc[key], "GameData/GameObjects", rep);
    for (const std::string& name : ListFiles(data + "/GameData/Record", ".json"))
        LoadJson(data + "/GameData/Record/" + name, doc, rep);
}
