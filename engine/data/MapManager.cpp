#include "engine/data/MapManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/objects/GameObject.h"
#include "engine/objects/Transform.h"

namespace
{
// Reads one map dimension: absent or mistyped reads 0, negative is refused, huge is capped.
int ReadSide(const JsonView& doc, const char* key)
{
    int value = 0;
    if (!doc.Has(key))
    {
        LogDataWarning("map", doc.File(), key, "missing; using 0");
        return 0;
    }
    if (!doc.Read(key, value)) return 0;
    if (value < 0)
    {
        LogDataWarning("map", doc.File(), key, "negative; using 0");
        return 0;
    }
    if (value > MapManager::kMaxSide)
    {
        LogDataWarning("map", doc.File(), key, "larger than 4096; capped");
        return MapManager::kMaxSide;
    }
    return value;
}

// A cell of "MapObjectData": a non-negative integer index, 0 for anything else.
int ReadIndex(const JsonView& cell, bool& bad)
{
    if (!cell.IsNumber())
    {
        bad = true;
        return 0;
    }
    double d = cell.Raw()->GetDouble();
    if (!(d >= 0.0 && d <= 2147483647.0) || d != std::floor(d))
    {
        bad = true;
        return 0;
    }
    return static_cast<int>(d);
}

// Cell coordinate of a world coordinate: floor(v + 0.5), or false when it is no cell at all.
bool CellOf(float v, int& out)
{
    double c = std::floor(static_cast<double>(v) + 0.5);
    if (!(c >= -1.0e9 && c <= 1.0e9)) return false;
    out = static_cast<int>(c);
    return true;
}

} // namespace

MapManager& MapManager::Get()
{
    static MapManager instance;
    return instance;
}

void MapManager::Clear()
{
    Width = Height = CapacityColumns = CapacityRows = 0;
    IndexGrid.clear();
    SolidGrid.clear();
    ObjectNames.assign(1, std::string());
    NameIndexes.clear();
    MapName.clear();
    saveable_ = false;
}

void MapManager::SetMissing(const std::string& name)
{
    Clear();
    MapName = name;
}

void MapManager::LoadMap(const JsonView& doc)
{
    Clear();
    if (!doc.IsObject())
    {
        LogDataWarning("map", doc.File(), "", "not a map object; the level has no tiles");
        return;
    }
    if (!doc.Has("Name"))
        LogDataWarning("map", doc.File(), "Name", "missing; the map cannot be saved");
    doc.Read("Name", MapName);
    LogPrintf("Map Name: %s\n", MapName.c_str());
    ReadSize(doc);
    ReadCells(doc);
    ReadObjectList(doc);
    saveable_ = true;
}

void MapManager::ReadSize(const JsonView& doc)
{
    Width = ReadSide(doc, "Width");
    Height = ReadSide(doc, "Height");
    if (Width > 0 && static_cast<long>(Width) * Height > kMaxCells)
    {
        LogDataWarning("map", doc.File(), "Height", "map larger than 1048576 cells; rows cut");
        Height = static_cast<int>(kMaxCells / Width);
    }
    CapacityColumns = 2 * Width;
    LogPrintf("Width:%d\n", Width);
    CapacityRows = 2 * Height;
    LogPrintf("Height:%d\n", Height);
    size_t cells = static_cast<size_t>(CapacityColumns) * static_cast<size_t>(CapacityRows);
    IndexGrid.assign(cells, 0);
    SolidGrid.assign(cells, 0);
}

void MapManager::ReadCells(const JsonView& doc)
{
    JsonView rows = doc["MapObjectData"];
    if (!rows.IsArray())
    {
        if (rows.Valid())
            rows.Warn("expected an array of rows; all cells empty");
        else if (Width > 0 && Height > 0)
            LogDataWarning("map", doc.File(), "MapObjectData", "missing; all cells empty");
        return;
    }
    bool badCell = false, badRow = false, shortRow = false;
    size_t rowCount = std::min(rows.Size(), static_cast<size_t>(Height));
    for (size_t i = 0; i < rowCount; ++i)
    {
        JsonView row = rows.At(i);
        if (!row.IsArray())
        {
            badRow = true;
            continue;
        }
        size_t columns = std::min(row.Size(), static_cast<size_t>(Width));
        if (columns < static_cast<size_t>(Width)) shortRow = true;
        int r = Height - 1 - static_cast<int>(i);
        for (size_t c = 0; c < columns; ++c)
            IndexGrid[Cell(static_cast<int>(c), r)] = ReadIndex(row.At(c), badCell);
    }
    if (rows.Size() < static_cast<size_t>(Height))
        rows.Warn("fewer rows than \"Height\"; the missing rows are empty");
    if (badRow) rows.Warn("a row is not an array of numbers; its cells are empty");
    if (shortRow) rows.Warn("a row is shorter than \"Width\"; the missing cells are empty");
    if (badCell) rows.Warn("a cell is not a non-negative integer; read as empty");
}

void MapManager::ReadObjectList(const JsonView& doc)
{
    JsonView list = doc["ObjectList"];
    if (list.Valid() && !list.IsArray()) list.Warn("expected an array of archetype names");
    LogPrintf("Object Number: %zu\n", list.Size());
    bool bad = false;
    for (size_t k = 0; k < list.Size(); ++k)
    {
        JsonView entry = list.At(k);
        // A mistyped entry keeps its place so the indexes after it still name the right tiles.
        std::string name = entry.AsString("", false);
        if (!entry.IsString()) bad = true;
        ObjectNames.push_back(name);
        if (!name.empty()) NameIndexes[name] = static_cast<int>(k + 1);
    }
    if (bad) list.Warn("an entry is not a string; its cells stay empty");
}

int MapManager::IndexAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= CapacityColumns || row >= CapacityRows) return 0;
    return IndexGrid[Cell(column, row)];
}

bool MapManager::Grow(int column, int row)
{
    int columns = CapacityColumns, rows = CapacityRows;
    if (column >= columns) columns = std::max(2 * columns, column + 1);
    if (row >= rows) rows = std::max(2 * rows, row + 1);
    if (columns > 2 * kMaxSide || rows > 2 * kMaxSide ||
        static_cast<long>(columns) * rows > 4 * kMaxCells)
        return false;
    std::vector<int> index(static_cast<size_t>(columns) * rows, 0);
    std::vector<int> solid(index.size(), 0);
    for (int c = 0; c < CapacityColumns; ++c)
        for (int r = 0; r < CapacityRows; ++r)
        {
            size_t to = static_cast<size_t>(c) * rows + r;
            index[to] = IndexGrid[Cell(c, r)];
            solid[to] = SolidGrid[Cell(c, r)];
        }
    IndexGrid.swap(index);
    SolidGrid.swap(solid);
    CapacityColumns = columns;
    CapacityRows = rows;
    return true;
}

void MapManager::AddTile(GameObject& tile)
{
    Transform* t = tile.Get<Transform>();
    int column = 0, row = 0;
    if (!t || !CellOf(t->position.x, column) || !CellOf(t->position.y, row)) return;
    if (column < 0 || row < 0) return;
    if ((column >= CapacityColumns || row >= CapacityRows) && !Grow(column, row))
    {
        LogLine("map: %s: a tile at cell (%d, %d) is beyond the largest map; not added",
                MapName.c_str(), column, row);
        return;
    }
    if (column > Width - 1) Width = column + 1;
    if (row > Height - 1) Height = row + 1;
    auto it = NameIndexes.find(tile.name);
    IndexGrid[Cell(column, row)] = it == NameIndexes.end() ? 0 : it->second;
    if (tile.obstruct) SolidGrid[Cell(column, row)] = 1;
}

int MapManager::IndexFor(const std::string& name)
{
    auto it = NameIndexes.find(name);
    if (it != NameIndexes.end()) return it->second;
    ObjectNames.push_back(name);
    const int index = static_cast<int>(ObjectNames.size()) - 1;
    NameIndexes[name] = index;
    return index;
}

void MapManager::ClearCell(int column, int row)
{
    if (column < 0 || row < 0 || column >= CapacityColumns || row >= CapacityRows) return;
    IndexGrid[Cell(column, row)] = 0;
    SolidGrid[Cell(column, row)] = 0;
}

void WriteMapDocument(JsonWriter& writer, const std::string& name, int width, int height,
                      const std::function<int(int, int)>& cell,
                      const std::vector<std::string>& tiles)
{
    writer.StartObject();
    writer.Key("Name");
    writer.String(name.c_str());
    writer.Key("Height");
    writer.Int(height);
    writer.Key("Width");
    writer.Int(width);
    writer.Key("MapObjectData");
    writer.StartArray();
    for (int r = height - 1; r >= 0; --r)
    {
        writer.StartArray();
        for (int c = 0; c < width; ++c) writer.Int(cell(c, r));
        writer.EndArray();
    }
    writer.EndArray();
    writer.Key("ObjectList");
    writer.StartArray();
    for (size_t k = 1; k < tiles.size(); ++k) writer.String(tiles[k].c_str());
    writer.EndArray();
    writer.EndObject();
}

void MapManager::SerializeMap(JsonWriter& writer) const
{
    WriteMapDocument(
        writer, MapName, Width, Height, [this](int c, int r) { return IndexAt(c, r); },
        ObjectNames);
}

bool MapManager::SaveMap() const
{
    if (!saveable_)
    {
        LogLine("map: %s: no map was loaded from it; not saved", MapName.c_str());
        return false;
    }
    if (!Files::IsPlainFileName(MapName))
    {
        LogLine("map: \"%s\" is not a plain file name; the map is not saved", MapName.c_str());
        return false;
    }
    return Files::WriteFileAtomic(Files::DataPath("GameData/Maps/" + MapName), MapText());
}
