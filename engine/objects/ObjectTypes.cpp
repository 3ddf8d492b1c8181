#include "engine/objects/ObjectTypes.h"

namespace
{
struct TypeRow
{
    const char* name;
    int number;
    int layer;
};

constexpr TypeRow kTypeRows[] = {
    {"PLAYER", 1, 4},
    {"BOX", 2, 5},
    {"ALARM", 3, 5},
    {"DEFAULT", 4, 5},
    {"MAP", 5, 2},
    {"HUD", 6, 8},
    {"GUARD", 7, 5},
    {"POKEBALL", 8, 0},
    {"GUARDFOV", 9, 0},
    {"BACKGROUND", 10, 0},
    {"MENU", 11, 9},
    {"DECORATE", 12, 6},
    {"BACKDECORATE", 13, 1},
    {"DEADPOOL", 14, 5},
    {"MOVINGFLOOR", 15, 5},
    {"EMP", 16, 5},
    {"EMPCHARGER", 17, 5},
    {"EMPUPGRADE", 18, 5},
    {"POCKETBALLCHARGER", 19, 5},
    {"DIALOG", 20, 8},
    {"DIALOGTRIGGER", 21, 5},
    {"CURTAIN", 22, 10},
    {"HIDEBOX", 23, 3},
    {"ROBOT", 24, 5},
    {"POKEBALLUPGRADE", 25, 5},
    {"MENUJUMPER", 26, 5},
    {"AIMBOX", 27, 0},
    {"BossFOV", 28, 5},
    {"Boss", 29, 5},
};
} // namespace

TypeTables::TypeTables()
{
    for (const TypeRow& row : kTypeRows)
    {
        typeNumbers[row.name] = row.number;
        typeLayers[row.number] = row.layer;
        // The aim marker has a number but no name in the number-to-name direction.
        if (row.number != kTypeAimBox) typeNames[row.number] = row.name;
    }
}

int TypeTables::Number(const std::string& name)
{
    auto it = typeNumbers.find(name);
    if (it != typeNumbers.end()) return it->second;
    typeNumbers[name] = 0;
    return 0;
}

int TypeTables::LayerOf(int type) const
{
    if (type < 0 || type >= kTypeCount) return 0;
    return typeLayers[type];
}
