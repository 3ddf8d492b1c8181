#include "engine/objects/GameObject.h"

#include "engine/core/GameHooks.h"
#include "engine/objects/GameObjectManager.h"

void GameObject::AddComponent(Component* component)
{
    components.emplace_back(component);
}

bool GameObject::Serialize(JsonWriter& writer) const
{
    if (GameObjectManager::Get().types.Has(type, kTypeNotSaved)) return true;
    writer.StartObject();
    writer.Key("Name");
    writer.String(name.c_str());
    writer.Key("OverWrite");
    writer.StartObject();
    for (const auto& c : components) c->Serialize(writer);
    writer.EndObject();
    writer.EndObject();
    return true;
}

void GameObject::NotifyCollision(GameObject* other)
{
    // Index loop: a handler may not add components, but it may look at the list.
    for (size_t i = 0; i < components.size(); ++i) components[i]->OnCollision(other);
}

void GameObject::ShowButtonLists()
{
    Hooks().ShowButtonLists(*this, true);
}

void GameObject::HideButtonLists()
{
    Hooks().ShowButtonLists(*this, false);
}
