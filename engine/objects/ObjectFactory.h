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
    Component* (*create)(GameObject* owner); // nullptr: not part of the game yet; section ignored
    bool (*is)(const Component* c);          // whether c is of the row's class
    bool alwaysNew;                          // a new component per application (boss vision, boss)
    bool readSection; // false: the component starts with its constructor's settings (guards)
};

// The rows in the order sections are looked for, which is the order of an object's components.
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
