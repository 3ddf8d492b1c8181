#include "engine/data/MapManager.h"

MapManager& MapManager::Get()
{
    static MapManager instance;
    return instance;
}

// Placeholders until the map loader lands.
void MapManager::LoadMap(const JsonView&) {}
void MapManager::AddTile(GameObject&) {}
bool MapManager::Solid(int, int) const { return false; }
bool MapManager::SaveMap() { return false; }
int MapManager::IndexAt(int, int) const { return 0; }
void MapManager::Clear() {}
