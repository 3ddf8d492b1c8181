#include "engine/data/LevelFile.h"

#include <typeinfo>
#include <vector>

#include "engine/core/CameraManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"

namespace
{
struct TileKind
{
    LoadedArchetype archetype;
    const GameObject* first = nullptr; // the first tile placed, when the rest may copy it
};

// One archetype per "ObjectList" entry, looked up once however many cells use it.
std::vector<TileKind> TileKinds(const std::string& mapPath)
{
    MapManager& map = MapManager::Get();
    std::vector<TileKind> kinds(map.ObjectNames.size());
    for (size_t k = 1; k < kinds.size(); ++k)
    {
        const std::string& file = map.ObjectNames[k];
        if (FindArchetype(file, kinds[k].archetype)) continue;
        std::string what =
            "tile archetype \"" + file + "\" missing or not an object; its cells stay empty";
        LogDataWarning("map", mapPath.c_str(), "ObjectList", what.c_str());
    }
    return kinds;
}

// Tiles made only of a transform and a sprite (every shipped tile) are copied from the first
// tile of their kind, which reads the same archetype: a map of hundreds of tiles reads each kind
// once, and an archetype's warning is printed once, not once per cell.
bool Copyable(const GameObject& tile)
{
    for (const auto& c : tile.components)
    {
        const Component& component = *c;
        if (typeid(component) != typeid(Transform) && typeid(component) != typeid(Sprite))
            return false;
    }
    return true;
}

void CopyTile(const GameObject& from, GameObject& to)
{
    to.name = from.name;
    to.type = from.type;
    to.obstruct = from.obstruct;
    for (const auto& c : from.components)
    {
        const Component& component = *c;
        Component* copy = typeid(component) == typeid(Transform)
                              ? static_cast<Component*>(new Transform(&to))
                              : new Sprite(&to);
        to.AddComponent(copy);
        copy->CopyFrom(c.get());
    }
}

// False when the tile's layer is full.
bool PlaceTile(TileKind& kind, int c, int r)
{
    GameObject* tile = GameObjectManager::Get().CreateObject(kind.archetype.type);
    if (!tile) return false;
    if (kind.first)
        CopyTile(*kind.first, *tile);
    else
    {
        tile->Deserialize(kind.archetype.view);
        if (Copyable(*tile)) kind.first = tile;
    }
    if (Transform* t = tile->Get<Transform>())
    {
        t->position.x = static_cast<float>(c);
        t->position.y = static_cast<float>(r);
        t->scale.x = t->scale.y = 1.0f;
    }
    MapManager::Get().AddTile(*tile);
    return true;
}

void LoadMapTiles(const JsonView& doc)
{
    std::string mapName;
    if (!doc.Read("Map", mapName)) return;
    std::string path = "GameData/Maps/" + mapName;
    const rapidjson::Document* mapDoc = ResourceManager::Get().GetDocument(path);
    MapManager& map = MapManager::Get();
    if (!mapDoc)
    {
        LogDataWarning("level", doc.File(), "Map", ("map " + path + " missing; no tiles").c_str());
        map.SetMissing(mapName);
        return;
    }
    map.LoadMap(JsonView(mapDoc, ResourceManager::Get().KeepName(path)));
    std::vector<TileKind> kinds = TileKinds(path);
    bool unnamed = false, full = false;
    const int width = map.Width, height = map.Height;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
        {
            int v = map.IndexAt(c, r);
            if (v <= 0) continue;
            if (static_cast<size_t>(v) >= kinds.size())
                unnamed = true;
            else if (kinds[v].archetype.view.Valid() && !PlaceTile(kinds[v], c, r))
                full = true;
        }
    if (unnamed)
        LogDataWarning("map", path.c_str(), "MapObjectData",
                       "a cell names no ObjectList entry; left empty");
    if (full)
        LogDataWarning("map", path.c_str(), "MapObjectData",
                       "more tiles than their layer holds; the rest are skipped");
}

void LoadCamera(const JsonView& doc)
{
    JsonView cam = doc["Camera"];
    if (!cam.Valid()) return;
    if (!cam.IsObject())
    {
        cam.Warn("expected an object; the level has no camera");
        return;
    }
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
    if (!doc.IsObject())
    {
        LogDataWarning("level", doc.File(), "", "not a level object; nothing loaded");
        return;
    }
    GameObjectManager& objects = GameObjectManager::Get();
    doc.Read("Name", objects.levelName);
    JsonView list = doc["GameObjects"];
    // Without an object list nothing else of the level is read, not even its map or camera.
    if (!list.Valid()) return;
    LoadMapTiles(doc);
    LoadCamera(doc);
    CameraManager& cameras = CameraManager::Get();
    if (cameras.current >= cameras.cameras.size()) cameras.current = 0;
    if (!list.IsArray())
    {
        list.Warn("expected an array of objects; no objects loaded");
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
    WriteNumbers(writer, "Position", &home.x, 3);
    const std::pair<const char*, float> bounds[] = {{"MinX", cam ? cam->min.x : 0.0f},
                                                    {"MaxX", cam ? cam->max.x : 0.0f},
                                                    {"MinY", cam ? cam->min.y : 0.0f},
                                                    {"MaxY", cam ? cam->max.y : 0.0f}};
    for (const auto& b : bounds)
    {
        writer.Key(b.first);
        writer.Double(b.second);
    }
    writer.EndObject();
    writer.Key("GameObjects");
    writer.StartArray();
    // Screen objects first; the tile layer never: tiles come back from the map.
    const int order[] = {kLayerHud,    kLayerBackground, kLayerBackDecorate, kLayerHideBox,
                         kLayerPlayer, kLayerGameplay,   kLayerDecorate,     kLayerSpare,
                         kLayerMenu,   kLayerCurtain};
    for (int layer : order)
        objects.ForEachActive(layer, [&writer](GameObject& obj) { obj.Serialize(writer); });
    writer.EndArray();
}

std::string LevelText()
{
    return JsonText(
        [](JsonWriter& writer)
        {
            writer.StartObject();
            SerializeLevel(writer);
            writer.EndObject();
        });
}

bool WriteLevelFile(const std::string& path)
{
    return Files::WriteFileAtomic(path, LevelText());
}

bool ValidateLevelDocument(const JsonView& doc, std::string& why)
{
    if (!doc.IsObject() || !doc["Name"].IsString() || !doc["GameObjects"].IsArray())
    {
        why = "not a level document (needs \"Name\" and a \"GameObjects\" array)";
        return false;
    }
    if (doc.Has("Map") && !doc["Map"].IsString())
    {
        why = "\"Map\" is not a file name";
        return false;
    }
    JsonView list = doc["GameObjects"];
    for (size_t i = 0; i < list.Size(); ++i)
    {
        std::string file = list.At(i)["Name"].AsString("", false);
        LoadedArchetype archetype;
        if (!FindArchetype(file, archetype))
        {
            why = "object " + std::to_string(i) + " names no archetype (\"" + file + "\")";
            return false;
        }
    }
    return true;
}
