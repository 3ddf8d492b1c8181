#include "engine/objects/ObjectFactory.h"

#include "engine/core/Log.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "game/player/Player.h"
#include "game/player/PlayerController.h"
#include "game/story/RecordAndPlay.h"

namespace
{
template <typename T> Component* Make(GameObject* owner)
{
    return new T(owner);
}
template <typename T> bool Is(const Component* c)
{
    return dynamic_cast<const T*>(c) != nullptr;
}

template <typename T>
constexpr ComponentRow Row(const char* key, bool alwaysNew = false, bool readSection = true)
{
    return {key, &Make<T>, &Is<T>, alwaysNew, readSection};
}
constexpr ComponentRow Later(const char* key)
{
    return {key, nullptr, nullptr, false, true};
}

// Sections whose components arrive with later features are listed as Later: an archetype that
// has them still loads, and the section is skipped.
const ComponentRow kRows[] = {
    Row<Transform>("Transform"),
    Row<Body>("Body"),
    Row<Sprite>("Sprite"),
    Row<Player>("Player"),
    Row<PlayerController>("PlayerController"),
    Later("SecurityCamera"),
    Later("HUD"),
    Later("HealthBar"),
    Later("StaminaBar"),
    Later("Buttons"),
    Later("TimedText"),
    Later("Guard"),
    Later("Robot"),
    Later("MovingFloor"),
    Later("Camera"),
    Later("NextLevelJumper"),
    Later("CheckPoint"),
    Later("EMP"),
    Later("DialogBox"),
    Later("Curtain"),
    Later("DialogTrigger"),
    Later("MainMenu"),
    Row<RecordAndPlay>("RecordAndPlay"),
    Later("TrashCan"),
    Later("Charger"),
    Later("MenuJumper"),
    Later("BossFOV"),
    Later("Boss"),
    Later("ZentoTech"),
};

Component* FindExisting(GameObject& obj, const ComponentRow& row)
{
    for (auto& c : obj.components)
        if (row.is(c.get())) return c.get();
    return nullptr;
}
} // namespace

const ComponentRow* ComponentTableRows(int* count)
{
    *count = static_cast<int>(sizeof kRows / sizeof kRows[0]);
    return kRows;
}

bool GameObject::Deserialize(const JsonView& value)
{
    obstruct = value.Has("Obstruct");
    value.Read("Name", name);
    std::string typeName;
    if (value.Read("Type", typeName)) type = GameObjectManager::Get().types.Number(typeName);
    for (const ComponentRow& row : kRows)
    {
        JsonView section = value[row.key];
        if (!section.Valid() || !row.create) continue;
        Component* target = row.alwaysNew ? nullptr : FindExisting(*this, row);
        if (!target)
        {
            target = row.create(this);
            AddComponent(target);
            if (row.key == std::string("BossFOV"))
                GameObjectManager::Get().bossVisionObjects.push_back(this);
        }
        else if (!row.readSection)
        {
            continue;
        }
        if (row.readSection) target->Deserialize(section);
    }
    return true;
}

const rapidjson::Document* FindArchetype(const std::string& file)
{
    return ResourceManager::Get().GetDocument("GameData/GameObjects/" + file);
}

bool FindArchetype(const std::string& file, LoadedArchetype& out)
{
    const rapidjson::Document* doc = file.empty() ? nullptr : FindArchetype(file);
    if (!doc || !doc->IsObject()) return false;
    out.view = JsonView(doc, ResourceManager::Get().KeepName("GameData/GameObjects/" + file));
    std::string typeName;
    out.view.Read("Type", typeName);
    out.type = GameObjectManager::Get().types.Number(typeName);
    return true;
}

GameObject* CreateFromLevelEntry(const JsonView& entry)
{
    std::string file;
    if (!entry.Read("Name", file))
    {
        entry.Warn("an object entry needs a \"Name\"; skipped");
        return nullptr;
    }
    LoadedArchetype archetype;
    if (!FindArchetype(file, archetype))
    {
        LogDataWarning("level", entry.File(), file.c_str(),
                       "archetype missing or not an object; skipped");
        return nullptr;
    }
    GameObject* obj = GameObjectManager::Get().CreateObject(archetype.type);
    if (!obj)
    {
        LogDataWarning("level", entry.File(), file.c_str(), "the object's layer is full; skipped");
        return nullptr;
    }
    obj->Deserialize(archetype.view);
    JsonView overwrite = entry["OverWrite"];
    if (overwrite.IsObject())
        obj->Deserialize(overwrite);
    else if (overwrite.Valid())
        overwrite.Warn("expected an object; ignored");
    return obj;
}

GameObject* SpawnFromArchetype(const std::string& file)
{
    LoadedArchetype archetype;
    if (!FindArchetype(file, archetype))
    {
        LogDataWarning("objects", ("GameData/GameObjects/" + file).c_str(), "",
                       "archetype missing or not an object; not spawned");
        return nullptr;
    }
    GameObject* obj = GameObjectManager::Get().SpawnObject();
    if (!obj) return nullptr;
    obj->Deserialize(archetype.view);
    return obj;
}
