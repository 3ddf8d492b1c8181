// MapManager: the current level's tile grid: which archetype sits in each cell, which are solid.
//
// Cells are indexed [column][row], row 0 at the bottom. The grids are allocated at twice the
// loaded extent so the editor can add tiles past the edge; a tile beyond even that grows them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/data/Json.h"

class GameObject;

// A map document: its name, size, the cells row by row from the top (cell(column, row) is an
// index into tiles, 0 for an empty cell) and the tile archetypes from tiles[1] on.
void WriteMapDocument(JsonWriter& writer, const std::string& name, int width, int height,
                      const std::function<int(int, int)>& cell,
                      const std::vector<std::string>& tiles);

class MapManager
{
  public:
    // A map side above this is capped; the cell count W x H is capped too, so a damaged file
    // cannot ask for gigabytes of grid.
    static constexpr int kMaxSide = 4096;
    static constexpr long kMaxCells = 1L << 20;

    static MapManager& Get();

    // Replaces the map with a parsed map document. Bad shapes are reported and read as 0.
    void LoadMap(const JsonView& doc);
    // Records a placed tile object in the grids (its Transform picks the cell).
    void AddTile(GameObject& tile);
    // True outside the allocated grid or on a solid cell.
    bool Solid(int column, int row) const
    {
        if (column < 0 || row < 0 || column >= CapacityColumns || row >= CapacityRows) return true;
        return SolidGrid[Cell(column, row)] != 0;
    }
    // Writes the map document to "GameData/Maps/" + MapName (temp file, then rename).
    bool SaveMap() const;
    // The map as a document into an open writer position (what SaveMap writes).
    void SerializeMap(JsonWriter& writer) const;
    std::string MapText() const
    {
        return JsonText([this](JsonWriter& w) { SerializeMap(w); });
    }
    std::string GetMapName() const { return MapName; }
    std::vector<std::string> GetObjectNames() const { return ObjectNames; }
    // The "ObjectList" index of a tile archetype, appended when new (the editor paints with it).
    int IndexFor(const std::string& name);
    // Empties a cell: no tile, not solid (the editor erases with it).
    void ClearCell(int column, int row);
    // The archetype index stored in a cell (0 outside the grid).
    int IndexAt(int column, int row) const;
    // No map: nothing allocated, so every cell reads solid.
    void Clear();
    // The level's map file could not be read: no map, but the name is kept so the level still
    // refers to it, and SaveMap refuses to write an empty map over the file.
    void SetMissing(const std::string& name);

    int Width = 0, Height = 0;
    int CapacityColumns = 0, CapacityRows = 0;
    std::vector<int> IndexGrid; // [column * CapacityRows + row]
    std::vector<int> SolidGrid;
    std::vector<std::string> ObjectNames{std::string()}; // entry 0 names no tile
    std::map<std::string, int> NameIndexes;
    std::string MapName;

  private:
    MapManager() = default;
    size_t Cell(int column, int row) const
    {
        return static_cast<size_t>(column) * static_cast<size_t>(CapacityRows) +
               static_cast<size_t>(row);
    }
    void ReadSize(const JsonView& doc);
    void ReadCells(const JsonView& doc);
    void ReadObjectList(const JsonView& doc);
    bool Grow(int column, int row);

    bool saveable_ = false;
};
