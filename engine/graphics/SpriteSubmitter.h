// SpriteSubmitter: the GPU half of the render pass.
//
// Batched (the default): sprites are transformed to world space on the CPU and appended to one
// stream; consecutive sprites with the same program, texture, matrices and uniform values share
// a draw call. Draw order is kept exactly, so the picture is the one a draw per sprite gives.
// Sprites wholly outside the view are left out of the stream (the card would clip them anyway).
// Direct: one draw per sprite from its own buffer and the pooled vertex array of its texture;
// the editor preview always draws this way.
#pragma once

#include <array>
#include <vector>

#include "engine/graphics/SpriteDraw.h"

// Whether a quad (six vertices in the submitter's layout, their clip positions beside them) lays
// its texels one to one on the viewport's pixels, texel centres on pixel centres. Nearest
// sampling then gives the filtered picture, and software GL copies such spans instead of
// filtering them (the menus and splash slides in a 720-line window).
bool TexelPerPixel(const glm::vec4* clip, const float* vertices, const int texels[2],
                   const int view[2]);

class SpriteSubmitter
{
  public:
    static constexpr int kVertexArrayPool = 500;
    static constexpr int kTextureUnit = 5;
    // A streamed vertex: position xyz, colour rgba, texture uv.
    static constexpr int kVertexFloats = 9;
    // Points the bound vertex array's attributes at that layout in the bound buffer.
    static void PointVertexAttributes();

    // Creates the GL objects on first use (GPU only).
    void Init();
    void Release();

    void Add(const SpriteDraw& draw);
    // Sends what Add collected. The render pass calls it at the end of every layer.
    void Flush();
    // One sprite, one draw call. withLight false leaves the lighting uniforms as they are.
    void DrawDirect(const SpriteDraw& draw, int textureUnit, bool withLight);

    bool batching = true;
    // Filtered pictures are sampled from their full-size level only, without blending levels:
    // the same picture where nothing is drawn smaller than it is, and what software GL's fast
    // span paths take.
    bool fullLevelOnly = false;
    int drawCalls = 0; // since the last ResetStats
    int culled = 0;
    void ResetStats() { drawCalls = culled = 0; }

  private:
    struct Batch
    {
        int first = 0;
        int count = 0;
        ShaderProgram* program = nullptr;
        unsigned texture = 0;
        bool nearest = false;
        bool opaque = false;
        bool fadeByBlend = false;
        glm::mat4 view{1.0f};
        glm::mat4 projection{1.0f};
        LightState light;
    };
    bool SameState(const Batch& b, const SpriteDraw& d, bool nearest) const;
    unsigned SamplerFor(bool nearest) const;
    // GL blending for a draw: none for opaque pictures, a constant alpha for a picture faded by
    // blending, the sprites' usual blend otherwise. Changes only what differs from the last.
    void SetBlend(bool opaque, bool fadeByBlend, float transparency);
    void RestoreBlend();
    // Appends the sprite's triangles in world space; false when all of it lies off screen.
    // exact: a quad that lays one texel on each pixel (sampled nearest, the same picture).
    bool AppendVertices(const SpriteDraw& d, bool& exact);

    bool ready_ = false;
    unsigned streamArray_ = 0;
    unsigned streamBuffer_ = 0;
    size_t streamCapacity_ = 0;
    std::array<unsigned, kVertexArrayPool> pool_{};
    unsigned spareArray_ = 0;
    unsigned spareBuffer_ = 0;
    // Bound over a texture's own filters for pixel art asking for nearest sampling.
    unsigned nearestSampler_ = 0;
    // Bound over a filtered texture's own when fullLevelOnly.
    unsigned levelZeroSampler_ = 0;
    // The viewport the collected sprites are drawn to, read at the first one (0: not yet).
    int view_[2] = {0, 0};
    enum class Blend : unsigned char
    {
        Usual,
        Off,
        Constant
    };
    Blend blend_ = Blend::Usual;
    float blendAlpha_ = 1.0f;
    std::vector<float> stream_;
    std::vector<Batch> batches_;
};
