// ScreenCover: whether a screen-layer sprite hides everything drawn before it.
//
// A slide, a menu panel or a closed curtain fills the window with opaque pixels; on a software
// rasteriser the world drawn underneath (and its scaling up) is a third of the frame for nothing.
#pragma once

#include <glm/mat4x4.hpp>

class Sprite;

// True when the sprite's first six vertices, placed by model into the screen's [-1, 1] square,
// are two triangles that together fill an axis-aligned rectangle containing the whole square.
// Only the geometry is judged: whether the pixels are opaque is the caller's question.
bool MeshCoversScreen(const Sprite& sprite, const glm::mat4& model);
