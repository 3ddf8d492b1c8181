// ObjectTypes: object type numbers, their names and the draw layer each lives in.
#pragma once

#include <array>
#include <map>
#include <string>

// Object types are the game's: it registers their table (RegisterGame) and the engine reads the
// number, layer and flags of each. Numbers run from 1 below kMaxTypes; 0 is "no type".
constexpr int kTypeNone = 0;
constexpr int kMaxTypes = 64;

// What the engine's passes need to know of a type.
enum TypeFlag : unsigned
{
    kTypeTouchesMap = 1u << 0, // tested against the map and snapped out of it (not players)
    kTypeBounces = 1u << 1,    // its velocity reflects off walls with its body's bounce
    kTypeNoContacts = 1u << 2, // never paired with other bodies
    kTypeNotSaved = 1u << 3,   // made at run time: the level writer leaves it out
    kTypeUnnamed = 1u << 4,    // has a number but answers no name for it
};

struct TypeRow
{
    const char* name;
    int number;
    int layer;
    unsigned flags;
};

// Draw layers; 8 to 10 are screen layers.
enum Layer
{
    kLayerBackground = 0,
    kLayerBackDecorate = 1,
    kLayerMap = 2,
    kLayerHideBox = 3,
    kLayerPlayer = 4,
    kLayerGameplay = 5,
    kLayerDecorate = 6,
    kLayerSpare = 7,
    kLayerHud = 8,
    kLayerMenu = 9,
    kLayerCurtain = 10,
};

constexpr int kLayerCount = 11;
constexpr std::array<int, kLayerCount> kLayerSlots = {20,  100, 2500, 200, 1, 200,
                                                      100, 100, 40,   50,  10};

struct TypeTables
{
    std::map<std::string, int> typeNumbers;         // name -> number (unknown names add 0)
    std::array<std::string, kMaxTypes> typeNames{}; // number -> name ("" where none)
    std::array<int, kMaxTypes> typeLayers{};        // number -> layer
    std::array<unsigned, kMaxTypes> typeFlags{};    // number -> TypeFlag bits

    // Built from the registered table.
    TypeTables();
    // The number for a type name; a name not in the table is added with number 0.
    int Number(const std::string& name);
    // The layer for a number; numbers outside the table live in layer 0.
    int LayerOf(int type) const;
    bool Has(int type, TypeFlag flag) const
    {
        return type >= 0 && type < kMaxTypes && (typeFlags[type] & flag) != 0;
    }
};

// The game's type table; read by every TypeTables made afterwards. The rows must outlive the run.
void SetTypeTable(const TypeRow* rows, int count);
