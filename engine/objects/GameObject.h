// GameObject: a named, typed pool slot that owns an ordered list of components.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "engine/objects/Component.h"

// Map-contact side mask bits (collisionFlags).
enum ContactSide : uint32_t
{
    kContactLeft = 1,
    kContactRight = 2,
    kContactTop = 4,
    kContactBottom = 8,
};

// Component classes that declare their type number let Get<T> skip most candidates with one
// integer compare.
template <typename T, typename = void> struct HasTypeNumber : std::false_type
{
};
template <typename T>
struct HasTypeNumber<T, std::void_t<decltype(T::kTypeNumber)>> : std::true_type
{
};

class GameObject
{
  public:
    bool active = false;
    bool collidable = true;
    std::vector<std::unique_ptr<Component>> components;
    std::string name;
    int type = 0;
    uint32_t id = 0;
    bool obstruct = false;
    uint32_t collisionFlags = 0;
    uint32_t previousCollisionFlags = 0;
    int layer = 0; // the pool this slot belongs to; fixed at construction

    void AddComponent(Component* component);
    void ClearComponents() { components.clear(); }

    // Applies an archetype document or an "OverWrite" section (see ObjectFactory.cpp).
    bool Deserialize(const JsonView& value);
    // Writes {"Name": ..., "OverWrite": {sections}}; nothing for alarm cones, guard cones and the
    // aim marker, which their owners recreate.
    bool Serialize(JsonWriter& writer) const;

    void NotifyCollision(GameObject* other);
    void ShowButtonLists();
    void HideButtonLists();

    // The first component of class T in list order, or nullptr. Component classes are final,
    // so an exact type match answers the same as a dynamic_cast at a fraction of the cost: the
    // render walk asks this for every sprite of every frame.
    template <typename T> T* Get() const
    {
        for (const auto& c : components)
        {
            if constexpr (std::is_final_v<T> && HasTypeNumber<T>::value)
            {
                const Component& component = *c;
                if (component.typeNumber == T::kTypeNumber && typeid(component) == typeid(T))
                    return static_cast<T*>(c.get());
            }
            else if (T* t = dynamic_cast<T*>(c.get()))
            {
                return t;
            }
        }
        return nullptr;
    }
};
