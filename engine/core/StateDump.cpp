#include "engine/core/StateDump.h"

#include "engine/core/Log.h"

#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/core/GameHooks.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"

namespace
{
std::string TypeName(int type)
{
    for (const auto& entry : GameObjectManager::Get().types.typeNumbers)
        if (entry.second == type && type != 0) return entry.first;
    return std::string();
}

void WriteObject(JsonWriter& w, GameObject& obj, int layer, int slot)
{
    w.StartObject();
    w.Key("Layer");
    w.Int(layer);
    w.Key("Slot");
    w.Int(slot);
    w.Key("Id");
    w.Uint(obj.id);
    w.Key("Name");
    w.String(obj.name.c_str());
    w.Key("Type");
    w.String(TypeName(obj.type).c_str());
    Transform* t = obj.Get<Transform>();
    glm::vec3 pos = t ? t->position : glm::vec3(0.0f);
    glm::vec3 scale = t ? t->scale : glm::vec3(1.0f);
    WriteNumbers(w, "Position", &pos.x, 3);
    WriteNumbers(w, "Scale", &scale.x, 2);
    w.Key("Rotation");
    w.Double(t ? t->rotation : 0.0f);
    w.Key("Sections");
    w.StartObject();
    for (const auto& c : obj.components) c->Serialize(w);
    w.EndObject();
    w.Key("State");
    w.StartObject();
    for (const auto& c : obj.components) c->WriteState(w);
    w.EndObject();
    w.EndObject();
}

} // namespace

std::string BuildStateDump()
{
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    InitJsonWriter(w);
    GameObjectManager& objects = GameObjectManager::Get();
    w.StartObject();
    w.Key("Level");
    w.String(LevelManager::Get().GetCurrentLevelName().c_str());
    w.Key("Frame");
    w.Int64(Engine::Get().FramesRun());
    w.Key("Paused");
    w.Bool(objects.paused);
    w.Key("Warnings");
    w.Int(LogWarningCount());
    w.Key("Camera");
    if (Camera* cam = CameraManager::Get().GetCurrentCamera())
    {
        w.StartObject();
        WriteNumbers(w, "Position", &cam->position.x, 3);
        WriteNumbers(w, "Target", &cam->target.x, 3);
        w.EndObject();
    }
    else
    {
        w.Null();
    }
    w.Key("Objects");
    w.StartArray();
    for (int l = 0; l < kLayerCount; ++l)
        for (size_t s = 0; s < objects.layers[l].size(); ++s)
            if (objects.layers[l][s].active)
                WriteObject(w, objects.layers[l][s], l, static_cast<int>(s));
    w.EndArray();
    Hooks().WriteDumpSections(w);
    w.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize());
}

bool WriteStateDump(const std::string& path)
{
    return Files::WriteFileAtomic(path, BuildStateDump());
}
