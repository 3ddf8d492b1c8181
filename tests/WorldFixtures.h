// Helpers for the world tests: maps, bodies and data roots built in a few lines.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <glm/vec2.hpp>

#include "engine/objects/Component.h"

class Body;
class GameObject;

namespace WorldFix
{
// Local outline of a unit square, starting at its right edge (half-width 0.5).
std::vector<glm::vec2> UnitSquare();

// Map document text; rows are given top row first, as in the file.
std::string MapJson(const std::string& name, const std::vector<std::vector<int>>& rows,
                    const std::vector<std::string>& objects);
// Loads a map of width x height empty cells into the MapManager.
void LoadEmptyMap(int width, int height);
// Makes cell (column, row) solid the way level loading does: a placed obstructing tile.
void SolidCell(int column, int row);

// A new object of the type, in the type's layer, with a Transform and a Body.
GameObject* MakeBody(int type, glm::vec2 position, glm::vec2 scale = glm::vec2(1.0f),
                     float radius = 0.0f, std::vector<glm::vec2> vertices = UnitSquare());
Body* BodyOfObject(GameObject* obj);

// Counts the collisions its owner hears about, and with whom.
class Recorder : public Component
{
  public:
    explicit Recorder(GameObject* owner) : Component(owner, 100) {}
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override { heard.push_back(other); }
    std::vector<GameObject*> heard;
};
Recorder* AddRecorder(GameObject* obj);

// A data root holding the shipped fonts (the engine will not start without them) plus the
// given level list.
std::filesystem::path MakeDataRoot(const std::string& tag, const std::vector<std::string>& levels);
// Archetype files used across the world tests: a player with gravity and a unit-square body,
// an obstructing ground tile, a decorative tile and a layer-5 crate.
void WriteCommonArchetypes(const std::filesystem::path& root);
// Writes a level file naming a map and listing objects as "Name" + placement.
struct Placed
{
    std::string archetype;
    float x = 0.0f, y = 0.0f;
};
void WriteLevel(const std::filesystem::path& root, const std::string& name, const std::string& map,
                const std::vector<Placed>& objects);
} // namespace WorldFix
