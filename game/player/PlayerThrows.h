// PlayerThrows: launching a capture ball or an EMP from the player.
//
// For now the thrown object is only the archetype with a transform and a velocity; the items'
// own behaviour (lifetime, capture, blackout) arrives with them. When an item's archetype is not
// in the data yet nothing is spawned, but the throw still counts.
#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

class GameObject;
struct PlayerIntent;

constexpr const char* kBallArchetype = "PokeBall.json";
constexpr const char* kEmpArchetype = "EMP.json";

// Unit aim direction in x and y: the right stick with a live controller, otherwise towards the
// aim point. (0, 0) when there is no direction to take.
glm::vec2 AimDirection(const glm::vec3& from, const PlayerIntent& intent);

// Velocity of a thrown item: 10 across and 15 up per unit of aim (the player's 1.5 base width
// divides the across part).
glm::vec2 ThrowVelocity(const glm::vec2& aim);

// Spawns the ball at the player's x and y; nullptr when its archetype is missing.
GameObject* ThrowBall(const glm::vec3& from, const glm::vec2& aim);
// Spawns the EMP at the player's x, y and rotation; nullptr when its archetype is missing.
GameObject* ThrowEmp(const glm::vec3& from, float rotation, const glm::vec2& aim);
