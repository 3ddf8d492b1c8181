// StealthStage: a small level of the test's own, drawn as text, built from the shipped
// archetypes and run headless frame by frame.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/objects/GameObject.h"
#include "tests/Harness.h"

namespace Stealth
{
struct Placed
{
    std::string archetype;
    float x = 0.0f, y = 0.0f;
    std::string overwrite; // extra sections, e.g. R"("Camera": {...})"; may be empty
};

// The map is given top row first; '#' is solid ground, anything else empty. The player
// ("Player.json") stands at (playerX, playerY) with that checkpoint and these item counts.
struct StageSpec
{
    std::vector<std::string> rows;
    float playerX = 3.0f, playerY = 3.5f;
    int balls = 0, emps = 0;
    std::vector<Placed> objects;
};

// Writes the stage into a fresh data root (the shipped archetypes, art and fonts linked in) and
// starts the engine on it.
std::unique_ptr<HeadlessGame> Start(const StageSpec& stage);

// Objects of the running level.
GameObject& PlayerObject();
std::vector<GameObject*> OfArchetype(const std::string& name);
// Events of one type delivered since the last call (the engine's broadcast is watched).
int Delivered(int type);
} // namespace Stealth
