// ObjectRef: a pool slot remembered together with the id it had, so a component that holds on to
// another object notices when that slot was released or handed to someone else.
#pragma once

#include <cstdint>

#include "engine/objects/GameObject.h"

struct ObjectRef
{
    GameObject* object = nullptr;
    uint32_t id = 0;

    void Set(GameObject* o)
    {
        object = o;
        id = o ? o->id : 0;
    }
    // The object while it is still the one that was set; nullptr once its slot moved on.
    GameObject* Get() const
    {
        return object && object->active && object->id == id ? object : nullptr;
    }
};
