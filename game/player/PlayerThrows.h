// PlayerThrows: launching a capture ball or an EMP from the player.
//
// A thrown item is its archetype with the player's position and a velocity towards the aim;
// the ball gets its PokeBall, the EMP's archetype brings its EMP. Nothing is thrown (and nothing
// counted) when the layer is full or the archetype lacks a transform or a body.
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

// Spawns the ball at the player's x and y; nullptr when nothing could be thrown.
GameObject* ThrowBall(const glm::vec3& from, const glm::vec2& aim);
// Spawns the EMP at the player's x, y and rotation; nullptr when nothing could be thrown.
GameObject* ThrowEmp(const glm::vec3& from, float rotation, const glm::vec2& aim);
