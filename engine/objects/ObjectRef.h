// ObjectRef: a remembered object that may since have died. Pool slots are reused by the next
// spawn, so a bare pointer would later name an unrelated object; the id tells them apart.
#pragma once

#include <cstdint>

#include "engine/objects/GameObject.h"

struct ObjectRef
{
    GameObject* slot = nullptr;
    uint32_t id = 0;

    ObjectRef() = default;
    explicit ObjectRef(GameObject* obj) : slot(obj), id(obj ? obj->id : 0) {}

    void Set(GameObject* obj) { *this = ObjectRef(obj); }
    // The object while it still lives, otherwise nullptr.
    GameObject* Get() const { return slot && slot->active && slot->id == id ? slot : nullptr; }
    void Clear() { *this = ObjectRef(); }
};
