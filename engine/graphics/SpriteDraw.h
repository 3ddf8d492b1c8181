// SpriteDraw: everything one sprite draw needs, worked out before any GPU call. The render pass
// fills it (animation, matrices, uniform values, the closing light) the same way with or without
// a GPU; only handing it to the SpriteSubmitter touches the card.
#pragma once

#include <glm/mat4x4.hpp>

#include "engine/graphics/ShaderProgram.h"
#include "engine/graphics/TextureLoader.h"

class Sprite;

struct SpriteDraw
{
    Sprite* sprite = nullptr;
    ShaderProgram* program = nullptr; // nullptr: no program at all; the sprite is not sent
    int layer = 0;
    int textureIndex = 0;     // resource-manager texture index (also the vertex-array pool index)
    unsigned textureName = 0; // GL texture name at that index
    bool upload = false;      // the vertices go to the sprite's own buffer this draw
    bool nearest = false;     // sampled nearest, without mipmaps (the texture slot's "Filter")
    bool opaque = false;      // every texel it draws is opaque: blending would change nothing
    // The program leaves the transparency out: it is applied by blending with a constant alpha
    // (exact for an opaque picture, the only kind drawn so).
    bool fadeByBlend = false;
    // The texture's facts: a batched quad is cut down to the part that shows (the rest would
    // draw nothing), and one laying a texel on each pixel is sampled nearest.
    TextureFacts texture;
    glm::mat4 model{1.0f};
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    LightState light;
};
