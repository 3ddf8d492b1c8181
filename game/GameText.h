// GameText: the world and screen texts that game components queue for this frame.
#pragma once

#include <cstdint>

#include <glm/vec3.hpp>

// Queues text in the world (seen through the camera) at a position, for this frame only.
void DrawWorldText(const char* text, const glm::vec3& position, const glm::vec3& scale, uint8_t r,
                   uint8_t g, uint8_t b, const char* font);
