#include "engine/data/LevelFile.h"

#include "engine/core/CameraManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"

namespace
{
void LoadMapTiles(const JsonView& doc)
{
    std::string mapName;
    if (!doc.Read("Map", mapName)) return;
    std::string path = "GameData/Maps/" + mapName;
    const rapidjson::Document* mapDoc = ResourceManager::Get().GetDocument(path);
    if (!mapDoc)
    {
        LogDataWarning("level", doc.File(), "Map", ("map " + path + " missing; no tiles").c_str());
        return;
    }
    MapManager& map = MapManager::Get();
    map.LoadMap(JsonView(mapDoc, ResourceManager::Get().KeepName(path)));
    GameObjectManager& objects = GameObjectManager::Get();
    for (int r = 0; r < map.Height; ++r)
        for (int c = 0; c < map.Width; ++c)
        {
            int v = map.IndexAt(c, r);
            if (v <= 0) continue;
            if (v >= static_cast<int>(map.ObjectNames.size()))
            {
                LogDataWarning("map", path.c_str(), "MapObjectData", "cell names no ObjectList entry");
                continue;
            }
            const std::string& file = map.ObjectNames[v];
            const rapidjson::Document* archetype = FindArchetype(file);
            if (!archetype || !archetype->IsObject()) continue;
            JsonView view(archetype, ResourceManager::Get().KeepName("GameData/GameObjects/" + file));
            std::string typeName;
            view.Read("Type", typeName);
            GameObject* tile = objects.CreateObject(objects.types.Number(typeName));
            if (!tile) continue;
            tile->Deserialize(view);
            if (Transform* t = tile->Get<Transform>())
            {
                t->position.x = static_cast<float>(c);
                t->position.y = static_cast<float>(r);
                t->scale.x = t->scale.y = 1.0f;
            }
            map.AddTile(*tile);
        }
}

void LoadCamera(const JsonView& doc)
{
    JsonView cam = doc["Camera"];
    if (!cam.Valid()) return;
    float p[3] = {0.0f, 0.0f, 15.0f};
    cam.ReadFloats("Position", p, 3);
    auto camera = std::make_unique<Camera>(glm::vec3(p[0], p[1], p[2]), glm::vec3(0, 0, -1),
                                           glm::vec3(0, 1, 0));
    cam.Read("MaxX", camera->max.x);
    cam.Read("MaxY", camera->max.y);
    cam.Read("MinX", camera->min.x);
    cam.Read("MinY", camera->min.y);
    camera->max.z = camera->min.z = p[2];
    CameraManager::Get().cameras.push_back(std::move(camera));
}
} // namespace

void LoadLevelDocument(const JsonView& doc)
{
    GameObjectManager& objects = GameObjectManager::Get();
    doc.Read("Name", objects.levelName);
    JsonView list = doc["GameObjects"];
    if (!list.Valid()) return;
    LoadMapTiles(doc);
    LoadCamera(doc);
    CameraManager& cameras = CameraManager::Get();
    if (cameras.current >= cameras.cameras.size()) cameras.current = 0;
    if (!list.IsArray())
    {
        list.Warn("expected an array of objects");
        return;
    }
    for (size_t i = 0; i < list.Size(); ++i)
    {
        JsonView entry = list.At(i);
        if (!entry.IsObject())
        {
            entry.Warn("expected an object entry; skipped");
            continue;
        }
        CreateFromLevelEntry(entry);
    }
}

void SerializeLevel(JsonWriter& writer)
{
    GameObjectManager& objects = GameObjectManager::Get();
    writer.Key("Name");
    writer.String(objects.levelName.c_str());
    writer.Key("Map");
    writer.String(MapManager::Get().GetMapName().c_str());
    writer.Key("Camera");
    writer.StartObject();
    Camera* cam = CameraManager::Get().GetCurrentCamera();
    glm::vec3 home = cam ? cam->home : glm::vec3(0.0f);
    writer.Key("Position");
    writer.StartArray();
    for (int i = 0; i < 3; ++i) writer.Double(home[i]);
    writer.EndArray();
    const std::pair<const char*, float> bounds[] = {
        {"MinX", cam ? cam->min.x : 0.0f}, {"MaxX", cam ? cam->max.x : 0.0f},
        {"MinY", cam ? cam->min.y : 0.0f}, {"MaxY", cam ? cam->max.y : 0.0f}};
    for (const auto& b : bounds)
    {
        writer.Key(b.first);
        writer.Double(b.second);
    }
    writer.EndObject();
    writer.Key("GameObjects");
    writer.StartArray();
    const int order[] = {8, 0, 1, 3, 4, 5, 6, 7, 9, 10};
    for (int layer : order)
        objects.ForEachActive(layer, [&writer](GameObject& obj) { obj.Serialize(writer); });
    writer.EndArray();
}

bool WriteLevelFile(const std::string& path)
{
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    InitJsonWriter(writer);
    writer.StartObject();
    SerializeLevel(writer);
    writer.EndObject();
    return Files::WriteFileAtomic(path, std::string(buffer.GetString(), buffer.GetSize()));
}

bool SaveLevel()
{
    bool ok = WriteLevelFile(Files::DataPath("GameData/Levels/" + GameObjectManager::Get().levelName));
    return MapManager::Get().SaveMap() && ok;
}

bool ValidateLevelDocument(const JsonView& doc, std::string& why)
{
    if (!doc.IsObject() || !doc["Name"].IsString() || !doc["GameObjects"].IsArray())
    {
        why = "not a level document (needs \"Name\" and a \"GameObjects\" array)";
        return false;
    }
    JsonView list = doc["GameObjects"];
    for (size_t i = 0; i < list.Size(); ++i)
    {
        std::string file = list.At(i)["Name"].AsString("", false);
        if (file.empty() || !FindArchetype(file))
        {
            why = "object " + std::to_string(i) + " names no archetype (\"" + file + "\")";
            return false;
        }
    }
    return true;
}
