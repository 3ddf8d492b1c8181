#include "engine/objects/ObjectTypes.h"

#include <cassert>

namespace
{
struct Registered
{
    const TypeRow* rows = nullptr;
    int count = 0;
};

Registered& Table()
{
    static Registered table;
    return table;
}
} // namespace

void SetTypeTable(const TypeRow* rows, int count)
{
    for (int i = 0; i < count; ++i)
    {
        assert(rows[i].number > 0 && rows[i].number < kMaxTypes);
        assert(rows[i].layer >= 0 && rows[i].layer < kLayerCount);
    }
    Table() = {rows, count};
}

TypeTables::TypeTables()
{
    const Registered& table = Table();
    for (int i = 0; i < table.count; ++i)
    {
        const TypeRow& row = table.rows[i];
        typeNumbers[row.name] = row.number;
        typeLayers[row.number] = row.layer;
        typeFlags[row.number] = row.flags;
        if (!(row.flags & kTypeUnnamed)) typeNames[row.number] = row.name;
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
    if (type < 0 || type >= kMaxTypes) return 0;
    return typeLayers[type];
}
