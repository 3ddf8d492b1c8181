// MapManager: the current level's tile grid: which archetype sits in each cell, which are solid.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/data/Json.h"

class GameObject;

class MapManager
{
  public:
    static MapManager& Get();

    void LoadMap(const JsonView& doc);
    void AddTile(GameObject& tile);
    // True outside the allocated grid or on a solid cell.
    bool Solid(int column, int row) const;
    bool SaveMap();
    std::string GetMapName() const { return MapName; }
    std::vector<std::string> GetObjectNames() const { return ObjectNames; }
    // The archetype index stored in a cell (0 outside the grid).
    int IndexAt(int column, int row) const;
    void Clear();

    int Width = 0, Height = 0;
    int CapacityColumns = 0, CapacityRows = 0;
    std::vector<int> IndexGrid; // [column * CapacityRows + row]
    std::vector<int> SolidGrid;
    std::vector<std::string> ObjectNames;
    std::map<std::string, int> NameIndexes;
    std::string MapName;

  private:
    MapManager() = default;
};
