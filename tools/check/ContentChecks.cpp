#include "ContentChecks.h"

#include "JsonFiles.h"
#include "game/GameNames.h"

#include <stb/stb_image.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

namespace
{

using rapidjson::Value;

// The game's own table of type names (game/GameNames.h).
bool KnownType(const std::string& name)
{
    for (const TypeRow& row : kObjectTypes)
        if (name == row.name) return true;
    return false;
}

bool NumberArray(const Value& v, const char* key, unsigned minSize)
{
    if (!v.IsObject() || !v.HasMember(key) || !v[key].IsArray() || v[key].Size() < minSize)
        return false;
    for (const Value& e : v[key].GetArray())
        if (!e.IsNumber()) return false;
    return true;
}

int IntOr(const Value& v, const char* key, int fallback)
{
    return v.IsObject() && v.HasMember(key) && v[key].IsInt() ? v[key].GetInt() : fallback;
}

// Every rectangle line of a coordinate file must lie inside its sheet.
void CheckCoordFile(const std::string& path, int frames, int w, int h, Report& rep)
{
    std::ifstream in(path);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
    {
        ++n;
        const size_t eq = line.find('=');
        std::istringstream ls(eq == std::string::npos ? std::string() : line.substr(eq + 1));
        double x = -1, y = -1, rw = -1, rh = -1;
        if (!(ls >> x >> y >> rw >> rh) || x < 0 || y < 0 || rw <= 0 || rh <= 0 || x + rw > w ||
            y + rh > h)
            rep.Error(path, "",
                      "line " + std::to_string(n) + " is not a rectangle inside the sheet");
    }
    if (n != frames)
        rep.Error(path, "Frames",
                  "is " + std::to_string(frames) + " but the file has " + std::to_string(n) +
                      " lines");
}

void CheckTexture(const std::string& data, const std::string& file, const Value& t, bool animated,
                  Report& rep)
{
    if (!t.IsObject() || !t.HasMember("Name") || !t["Name"].IsString())
    {
        rep.Error(file, "Textures", "an entry without \"Name\"");
        return;
    }
    const std::string img = data + "/" + t["Name"].GetString();
    int w = 0, h = 0, comp = 0;
    if (!stbi_info(img.c_str(), &w, &h, &comp))
    {
        rep.Error(file, "Textures",
                  std::string("image missing or unreadable: ") + t["Name"].GetString());
        return;
    }
    if (IntOr(t, "Width", -1) != w || IntOr(t, "Height", -1) != h)
        rep.Error(file, "Width",
                  std::string(t["Name"].GetString()) + " is " + std::to_string(w) + " x " +
                      std::to_string(h) + "; \"Width\" and \"Height\" must match it");
    if (t.HasMember("Filter"))
    {
        const Value& f = t["Filter"];
        const std::string filter = f.IsString() ? f.GetString() : "";
        if (filter != "Nearest" && filter != "Linear")
            rep.Error(file, "Filter", "must be \"Nearest\" or \"Linear\"");
    }
    const int frames = IntOr(t, "Frames", 0);
    if (frames < 1) rep.Error(file, "Frames", "must be at least 1");
    if (t.HasMember("CoordData"))
    {
        const std::string coords =
            t["CoordData"].IsString() ? data + "/" + t["CoordData"].GetString() : "";
        if (!FileExists(coords))
            rep.Error(file, "CoordData", "file missing");
        else
            CheckCoordFile(coords, frames, w, h, rep);
    }
    else if (animated)
    {
        rep.Error(file, "CoordData", "missing from an animated sprite's entry");
    }
}

void CheckSprite(const std::string& data, const std::string& file, const Value& s, Report& rep)
{
    if (!s.IsObject() || !s.HasMember("Static") || !s["Static"].IsString())
    {
        rep.Error(file, "Static", "the sprite needs it as a string");
        return;
    }
    const bool animated = std::string(s["Static"].GetString()) != "true";
    const Value* mesh = s.HasMember("Mesh") ? &s["Mesh"] : nullptr;
    if (!mesh || !NumberArray(*mesh, "Data", 1) ||
        (*mesh)["Data"].Size() != static_cast<unsigned>(IntOr(*mesh, "VertexNumber", 0) *
                                                        IntOr(*mesh, "CoordsPerVertex", 0)) ||
        (*mesh)["Data"].Size() > 200 || IntOr(*mesh, "CoordsPerPos", 0) <= 0 ||
        IntOr(*mesh, "CoordsPerColor", -1) < 0)
        rep.Error(file, "Mesh", "incomplete, or its \"Data\" size does not match");
    if (!s.HasMember("Shader") || !s["Shader"].IsString() ||
        !FileExists(data + "/" + s["Shader"].GetString() + ".vert"))
        rep.Error(file, "Shader", "missing or its .vert file is absent");
    if (!s.HasMember("Textures") || !s["Textures"].IsArray() || s["Textures"].Empty())
    {
        rep.Error(file, "Textures", "missing or empty");
        return;
    }
    int slot = 0;
    for (const Value& t : s["Textures"].GetArray())
    {
        if (IntOr(t, "Animation", -1) != slot)
            rep.Error(file, "Animation", "entries must fill slots 0, 1, 2... in order");
        ++slot;
        CheckTexture(data, file, t, animated, rep);
    }
}

} // namespace

void CheckArchetypes(const std::string& data, Report& rep)
{
    const std::string dir = data + "/GameData/GameObjects";
    for (const std::string& name : ListFiles(dir, ".json"))
    {
        const std::string file = dir + "/" + name;
        rapidjson::Document doc;
        if (!LoadJson(file, doc, rep)) continue;
        if (!doc.IsObject())
        {
            rep.Error(file, "", "not an object");
            continue;
        }
        if (!doc.HasMember("Name") || !doc["Name"].IsString() || name != doc["Name"].GetString())
            rep.Error(file, "Name", "must equal the file name");
        if (!doc.HasMember("Type") || !doc["Type"].IsString() ||
            !KnownType(doc["Type"].GetString()))
            rep.Error(file, "Type", "missing or unknown");
        if (!doc.HasMember("Transform") || !NumberArray(doc["Transform"], "Position", 3) ||
            !NumberArray(doc["Transform"], "Scale", 2))
            rep.Error(file, "Transform", "needs \"Position\" (3) and \"Scale\" (2)");
        if (doc.HasMember("Sprite")) CheckSprite(data, file, doc["Sprite"], rep);
        if (doc.HasMember("Body"))
        {
            const Value& b = doc["Body"];
            if (!NumberArray(b, "Vertices", 1) ||
                b["Vertices"].Size() != 1 + 2 * b["Vertices"][0].GetUint())
                rep.Error(file, "Vertices", "count does not match its pairs");
        }
    }
}

void CheckMedia(const std::string& data, Report& rep)
{
    const char* files[] = {
        "Textures/BellrunIcon-2.bmp", "Sounds/jump.ogg",         "Sounds/throw.ogg",
        "Sounds/failthrow.wav",       "Sounds/failthrow.ogg",    "Sounds/backgroundmusic.ogg",
        "Sounds/newbossFinal.ogg",    "Sounds/paperRipNew.mp3",  "Sounds/checkpoint.wav",
        "Sounds/newpickup.wav",       "Sounds/laser.wav",        "Fonts/Pixel_Countdown.ttf",
        "Fonts/Serif_Bold.ttf",       "Fonts/Facet_Regular.ttf", "Fonts/EraserRegular.ttf"};
    for (const char* f : files)
        if (!FileExists(data + "/" + f)) rep.Error(data + "/" + f, "", "missing file");
    int w = 0, h = 0, comp = 0;
    if (!stbi_info((data + "/Textures/BellrunIcon-2.bmp").c_str(), &w, &h, &comp) || w != h ||
        (w != 32 && w != 64))
        rep.Error(data + "/Textures/BellrunIcon-2.bmp", "",
                  "icon must be a readable 32 or 64 square BMP");
}
