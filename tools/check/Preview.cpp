#include "Preview.h"

#include "JsonFiles.h"
#include "kit/Image.h"

#include <stb/stb_image.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace
{

using rapidjson::Value;
constexpr int kPx = 32;

struct Placed
{
    int layer;
    float x, y, sx, sy;
    std::string image;
    int rx = 0, ry = 0, rw = 0, rh = 0; // source rectangle, 0 width = whole image
};

const std::map<std::string, int> kLayers = {
    {"BACKGROUND", 0}, {"BACKDECORATE", 1}, {"MAP", 2}, {"PLAYER", 4}, {"DECORATE", 6}};

Image LoadPng(const std::string& path)
{
    int w = 0, h = 0, n = 0;
    unsigned char* px = stbi_load(path.c_str(), &w, &h, &n, 4);
    Image img(px ? w : 1, px ? h : 1);
    for (int y = 0; px && y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const unsigned char* p = px + (static_cast<size_t>(y) * w + x) * 4;
            img.Set(x, y, Rgba{p[0], p[1], p[2], p[3]});
        }
    stbi_image_free(px);
    return img;
}

void ReadTransform(const Value& v, Placed& p)
{
    if (!v.IsObject() || !v.HasMember("Transform") || !v["Transform"].IsObject()) return;
    const Value& t = v["Transform"];
    if (t.HasMember("Position") && t["Position"].IsArray() && t["Position"].Size() >= 2)
    {
        p.x = t["Position"][0].GetFloat();
        p.y = t["Position"][1].GetFloat();
    }
    if (t.HasMember("Scale") && t["Scale"].IsArray() && t["Scale"].Size() >= 2)
    {
        p.sx = t["Scale"][0].GetFloat();
        p.sy = t["Scale"][1].GetFloat();
    }
}

bool FromArchetype(const std::string& data, const std::string& name, Placed& p)
{
    Report quiet;
    rapidjson::Document doc;
    if (!LoadJson(data + "/GameData/GameObjects/" + name, doc, quiet) || !doc.IsObject() ||
        !doc.HasMember("Type") || !doc["Type"].IsString() ||
        !kLayers.count(doc["Type"].GetString()) || !doc.HasMember("Sprite"))
        return false;
    p.layer = kLayers.at(doc["Type"].GetString());
    ReadTransform(doc, p);
    const Value& tex = doc["Sprite"]["Textures"][0];
    p.image = data + "/" + tex["Name"].GetString();
    if (tex.HasMember("CoordData"))
    {
        std::ifstream in(data + "/" + tex["CoordData"].GetString());
        std::string line;
        if (std::getline(in, line) && line.find('=') != std::string::npos)
        {
            std::istringstream ls(line.substr(line.find('=') + 1));
            ls >> p.rx >> p.ry >> p.rw >> p.rh;
        }
    }
    return true;
}

void Draw(Image& canvas, std::map<std::string, Image>& cache, const Placed& p, int mapH)
{
    if (!cache.count(p.image)) cache[p.image] = LoadPng(p.image);
    const Image& src = cache[p.image];
    const int rw = p.rw > 0 ? p.rw : src.Width(), rh = p.rh > 0 ? p.rh : src.Height();
    const float left = (p.x - p.sx * 0.5f + 0.5f) * kPx,
                top = (mapH - 0.5f - (p.y + p.sy * 0.5f)) * kPx;
    const int w = static_cast<int>(std::lround(p.sx * kPx)),
              h = static_cast<int>(std::lround(p.sy * kPx));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            canvas.Blend(static_cast<int>(left) + i, static_cast<int>(top) + j,
                         src.Get(p.rx + i * rw / w, p.ry + j * rh / h));
}

} // namespace

bool RenderLevelPreview(const std::string& data, const std::string& level,
                        const std::string& outPng)
{
    Report quiet;
    rapidjson::Document lv, map;
    if (!LoadJson(data + "/GameData/Levels/" + level, lv, quiet) || !lv.HasMember("Map") ||
        !LoadJson(data + "/GameData/Maps/" + lv["Map"].GetString(), map, quiet))
        return false;
    const int w = map["Width"].GetInt(), h = map["Height"].GetInt();
    std::vector<Placed> all;
    const Value& rows = map["MapObjectData"];
    for (int i = 0; i < h; ++i)
        for (int c = 0; c < w; ++c)
        {
            const int v = rows[i][c].GetInt();
            Placed p{2, 0, 0, 1, 1, ""};
            if (v > 0 && FromArchetype(data, map["ObjectList"][v - 1].GetString(), p))
            {
                p.x = static_cast<float>(c), p.y = static_cast<float>(h - 1 - i),
                p.sx = p.sy = 1.0f;
                all.push_back(p);
            }
        }
    for (const Value& o : lv["GameObjects"].GetArray())
    {
        Placed p{0, 0, 0, 1, 1, ""};
        if (FromArchetype(data, o["Name"].GetString(), p))
        {
            if (o.HasMember("OverWrite")) ReadTransform(o["OverWrite"], p);
            all.push_back(p);
        }
    }
    Image canvas(w * kPx, h * kPx, Col(0, 0, 0));
    std::map<std::string, Image> cache;
    for (int layer = 0; layer <= 6; ++layer)
        for (const Placed& p : all)
            if (p.layer == layer) Draw(canvas, cache, p, h);
    return canvas.SavePng(outPng);
}
