#include "engine/objects/ObjectFactory.h"

#include "engine/core/Log.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"

#include <vector>

namespace
{
std::vector<ComponentRow>& Rows()
{
    static std::vector<ComponentRow> rows;
    return rows;
}

Component* FindExisting(GameObject& obj, const ComponentRow& row)
{
    for (auto& c : obj.components)
        if (row.is(c.get())) return c.get();
    return nullptr;
}
} // namespace

void SetComponentTable(const ComponentRow* rows, int count)
{
    Rows().assign(rows, rows + (count > 0 ? count : 0));
}

const ComponentRow* ComponentTableRows(int* count)
{
    *count = static_cast<int>(Rows().size());
    return Rows().data();
}

bool GameObject::Deserialize(const JsonView& value)
{
    obstruct = value.Has("Obstruct");
    value.Read("Name", name);
    std::string typeName;
    if (value.Read("Type", typeName)) type = GameObjectManager::Get().types.Number(typeName);
    for (const ComponentRow& row : Rows())
    {
        // Most rows are absent from any one object: ask before building the section's view.
        if (!row.create || !value.Has(row.key)) continue;
        JsonView section = value[row.key];
        Component* target = row.alwaysNew ? nullptr : FindExisting(*this, row);
        if (!target)
        {
            target = row.create(this);
            AddComponent(target);
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
