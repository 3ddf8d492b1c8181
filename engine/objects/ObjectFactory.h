// ObjectFactory: filling objects from archetype files and level entries.
#pragma once

#include <string>

#include "engine/data/Json.h"

class Component;
class GameObject;

// One row of the component table: the section key and how to make its component.
struct ComponentRow
{
    const char* key;
    int typeNumber;                          // the component's type number (ComponentType)
    Component* (*create)(GameObject* owner); // nullptr: not part of the game yet; section ignored
    bool (*is)(const Component* c);          // whether c is of the row's class
    bool alwaysNew;                          // a new component per application (boss vision, boss)
    bool readSection; // false: the component starts with its constructor's settings (guards)
};

// Rows for the table, built where the component classes are known.
template <typename T> Component* MakeComponent(GameObject* owner)
{
    return new T(owner);
}
template <typename T> bool IsComponent(const Component* c)
{
    return dynamic_cast<const T*>(c) != nullptr;
}
template <typename T>
constexpr ComponentRow TableRow(const char* key, bool alwaysNew = false, bool readSection = true)
{
    return {key, T::kTypeNumber, &MakeComponent<T>, &IsComponent<T>, alwaysNew, readSection};
}
// A section whose component arrives with a later feature: an archetype that has it still loads,
// and the section is skipped.
constexpr ComponentRow LaterRow(const char* key, int typeNumber)
{
    return {key, typeNumber, nullptr, nullptr, false, true};
}

// The game registers its table once; the rows' order is the order sections are looked for, which
// is the order of an object's components. Copied; replaces any earlier table.
void SetComponentTable(const ComponentRow* rows, int count);
// The registered rows (none before registration).
const ComponentRow* ComponentTableRows(int* count);

// Parsed archetype "GameData/GameObjects/<file>" from the document cache, or nullptr.
const rapidjson::Document* FindArchetype(const std::string& file);

// An archetype ready to apply: a view named by its path, and its object type number.
struct LoadedArchetype
{
    JsonView view;
    int type = 0;
};
// Finds "GameData/GameObjects/<file>"; false (silently) when it is missing or not an object.
bool FindArchetype(const std::string& file, LoadedArchetype& out);

// A new object from a level entry: archetype first, then the entry's "OverWrite". nullptr when
// the archetype is missing or the type's pool is full (both reported).
GameObject* CreateFromLevelEntry(const JsonView& entry);
// A new layer-5 object filled from an archetype, for objects made during play.
GameObject* SpawnFromArchetype(const std::string& file);
