#include "engine/graphics/SpriteSubmitter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <GL/glew.h>
#include <glm/vec4.hpp>

#include "engine/graphics/Gpu.h"
#include "engine/graphics/Sprite.h"

namespace
{
constexpr int kStreamFloats = SpriteSubmitter::kVertexFloats;
constexpr GLsizei kStreamStride = kStreamFloats * sizeof(float);

unsigned MakeSampler(int filter)
{
    unsigned sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return sampler;
}

// Whether all points lie beyond one side of the view (only decided when all are in front).
bool OffScreen(const glm::vec4* clip, int n)
{
    int left = 0, right = 0, below = 0, above = 0;
    for (int i = 0; i < n; ++i)
    {
        const glm::vec4& c = clip[i];
        if (c.w <= 0.0f) return false;
        left += c.x < -c.w;
        right += c.x > c.w;
        below += c.y < -c.w;
        above += c.y > c.w;
    }
    return left == n || right == n || below == n || above == n;
}
// How a quad's corners follow its texture coordinates: x = ax + bx u, y = ay + by v.
struct QuadMapping
{
    float ax = 0.0f, bx = 0.0f, ay = 0.0f, by = 0.0f;
};

// Fits pos = a + b coord over n points; false when they are not tied that way (a rotated or
// distorted mesh, or one whose coordinate never changes).
bool FitAxis(const float* pos, const float* coord, int n, float tolerance, float& a, float& b)
{
    int other = 1;
    while (other < n && coord[other] == coord[0]) ++other;
    if (other == n) return false;
    b = (pos[other] - pos[0]) / (coord[other] - coord[0]);
    a = pos[0] - b * coord[0];
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    for (int i = 0; i < n; ++i)
        if (std::abs(a + b * coord[i] - pos[i]) > tolerance) return false;
    return true;
}

// One axis of the mapping from a sprite's own vertices (position component pos, texture
// coordinate coord).
bool AxisMapping(const Sprite& s, int n, int pos, int coord, float& a, float& b)
{
    float p[6], c[6];
    const int uvAt = s.CoordsPerPos + s.CoordsPerColor + coord;
    for (int i = 0; i < n && i < 6; ++i)
    {
        p[i] = s.VertexData[static_cast<size_t>(i) * s.CoordsPerVertex + pos];
        c[i] = s.VertexData[static_cast<size_t>(i) * s.CoordsPerVertex + uvAt];
    }
    return n == 6 && FitAxis(p, c, n, 1e-5f, a, b);
}

// A two-triangle quad over a texture with transparent margins is cut down to the part that
// shows: the same picture for fewer blended pixels (a menu plate is mostly margin).
bool TrimmedQuad(const Sprite& s, int n, const float* content, QuadMapping& m)
{
    constexpr float kWorthIt = 0.9f; // trim only what leaves out a tenth of the quad or more
    if (n != 6 || s.CoordsPerPos < 2 ||
        (content[2] - content[0]) * (content[3] - content[1]) > kWorthIt)
        return false;
    return AxisMapping(s, n, 0, 0, m.ax, m.bx) && AxisMapping(s, n, 1, 1, m.ay, m.by);
}
} // namespace

bool TexelPerPixel(const glm::vec4* clip, const float* vertices, const int texels[2],
                   const int view[2])
{
    constexpr float kPixel = 0.01f; // how far from exact still counts, in pixels
    if (texels[0] <= 0 || texels[1] <= 0 || view[0] <= 0 || view[1] <= 0) return false;
    for (int axis = 0; axis < 2; ++axis)
    {
        float pos[6], coord[6];
        for (int i = 0; i < 6; ++i)
        {
            if (clip[i].w <= 0.0f) return false;
            pos[i] = (clip[i][axis] / clip[i].w * 0.5f + 0.5f) * static_cast<float>(view[axis]);
            coord[i] = vertices[i * kStreamFloats + 7 + axis];
        }
        float a = 0.0f, b = 0.0f;
        if (!FitAxis(pos, coord, 6, kPixel, a, b) ||
            std::abs(std::abs(b) - static_cast<float>(texels[axis])) > kPixel ||
            std::abs(a - std::round(a)) > kPixel)
            return false;
    }
    return true;
}

void SpriteSubmitter::PointVertexAttributes()
{
    glVertexAttribPointer(kAttrPosition, 3, GL_FLOAT, GL_FALSE, kStreamStride, nullptr);
    glVertexAttribPointer(kAttrColor, 4, GL_FLOAT, GL_FALSE, kStreamStride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glVertexAttribPointer(kAttrTexCoord, 2, GL_FLOAT, GL_FALSE, kStreamStride,
                          reinterpret_cast<const void*>(7 * sizeof(float)));
    glEnableVertexAttribArray(kAttrPosition);
    glEnableVertexAttribArray(kAttrColor);
    glEnableVertexAttribArray(kAttrTexCoord);
}

void SpriteSubmitter::Init()
{
    if (ready_ || !Gpu::Enabled()) return;
    glGenVertexArrays(kVertexArrayPool, pool_.data());
    glGenVertexArrays(1, &spareArray_);
    glGenBuffers(1, &spareBuffer_);
    nearestSampler_ = MakeSampler(GL_NEAREST);
    levelZeroSampler_ = MakeSampler(GL_LINEAR);
    glGenVertexArrays(1, &streamArray_);
    glGenBuffers(1, &streamBuffer_);
    glBindVertexArray(streamArray_);
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    PointVertexAttributes();
    glBindVertexArray(0);
    ready_ = true;
}

void SpriteSubmitter::Release()
{
    if (ready_ && Gpu::Enabled())
    {
        glDeleteVertexArrays(kVertexArrayPool, pool_.data());
        glDeleteVertexArrays(1, &spareArray_);
        glDeleteBuffers(1, &spareBuffer_);
        glDeleteSamplers(1, &nearestSampler_);
        glDeleteSamplers(1, &levelZeroSampler_);
        glDeleteVertexArrays(1, &streamArray_);
        glDeleteBuffers(1, &streamBuffer_);
    }
    ready_ = false;
    stream_.clear();
    batches_.clear();
}

void SpriteSubmitter::SetBlend(bool opaque, bool fadeByBlend, float transparency)
{
    // Opaque layers (sky, walls, tiles) are written, not blended: the same picture for less
    // work per pixel, which is most of a frame on software GL.
    const Blend want = opaque ? Blend::Off : fadeByBlend ? Blend::Constant : Blend::Usual;
    if (want == blend_ && (want != Blend::Constant || transparency == blendAlpha_)) return;
    if (want == Blend::Off)
    {
        glDisable(GL_BLEND);
    }
    else
    {
        glEnable(GL_BLEND);
        if (want == Blend::Constant)
        {
            glBlendColor(0.0f, 0.0f, 0.0f, transparency);
            glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
        }
        else
        {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
    }
    blend_ = want;
    blendAlpha_ = transparency;
}

void SpriteSubmitter::RestoreBlend()
{
    SetBlend(false, false, 1.0f);
}

unsigned SpriteSubmitter::SamplerFor(bool nearest) const
{
    if (nearest) return nearestSampler_;
    return fullLevelOnly ? levelZeroSampler_ : 0;
}

bool SpriteSubmitter::SameState(const Batch& b, const SpriteDraw& d, bool nearest) const
{
    return b.program == d.program && b.texture == d.textureName && b.nearest == nearest &&
           b.opaque == d.opaque && b.fadeByBlend == d.fadeByBlend && b.light == d.light &&
           b.view == d.view && b.projection == d.projection;
}

bool SpriteSubmitter::AppendVertices(const SpriteDraw& d, bool& exact)
{
    exact = false;
    const Sprite& s = *d.sprite;
    // Independent triangles: a trailing partial triangle is never drawn, so it is not sent.
    int n = s.DrawableVertices() / 3 * 3;
    if (n == 0) return false;
    QuadMapping trim;
    const float* content = d.texture.content;
    const bool trimmed = TrimmedQuad(s, n, content, trim);
    glm::mat4 viewProjection = d.projection * d.view;
    size_t base = stream_.size();
    stream_.resize(base + static_cast<size_t>(n) * kStreamFloats);
    float* out = stream_.data() + base;
    glm::vec4 clip[Sprite::kMaxFloats / 3];
    for (int i = 0; i < n; ++i, out += kStreamFloats)
    {
        const float* in = s.VertexData.data() + static_cast<size_t>(i) * s.CoordsPerVertex;
        // Missing components read as the GL defaults would: 0 for y and z, 1 for w.
        glm::vec4 p(0.0f, 0.0f, 0.0f, 1.0f);
        for (int k = 0; k < s.CoordsPerPos; ++k) p[k] = in[k];
        float u = in[s.CoordsPerPos + s.CoordsPerColor];
        float v = in[s.CoordsPerPos + s.CoordsPerColor + 1];
        if (trimmed)
        {
            u = std::clamp(u, content[0], content[2]);
            v = std::clamp(v, content[1], content[3]);
            p.x = trim.ax + trim.bx * u;
            p.y = trim.ay + trim.by * v;
        }
        glm::vec4 world = d.model * p;
        clip[i] = viewProjection * world;
        float iw = world.w != 0.0f ? 1.0f / world.w : 1.0f;
        out[0] = world.x * iw;
        out[1] = world.y * iw;
        out[2] = world.z * iw;
        glm::vec4 colour(1.0f);
        if (s.CoordsPerColor > 0) colour = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
        for (int k = 0; k < s.CoordsPerColor; ++k) colour[k] = in[s.CoordsPerPos + k];
        std::memcpy(out + 3, &colour[0], 4 * sizeof(float));
        out[7] = u;
        out[8] = v;
    }
    if (OffScreen(clip, n))
    {
        stream_.resize(base);
        return false;
    }
    if (n == 6 && !d.nearest && d.texture.width > 0)
    {
        if (view_[0] == 0)
        {
            GLint viewport[4] = {0, 0, 0, 0};
            glGetIntegerv(GL_VIEWPORT, viewport);
            view_[0] = viewport[2];
            view_[1] = viewport[3];
        }
        const int texels[2] = {d.texture.width, d.texture.height};
        exact = TexelPerPixel(clip, stream_.data() + base, texels, view_);
    }
    return true;
}

void SpriteSubmitter::Add(const SpriteDraw& d)
{
    if (!Gpu::Enabled() || !d.program || !d.sprite) return;
    Init();
    int first = static_cast<int>(stream_.size() / kStreamFloats);
    bool exact = false;
    if (!AppendVertices(d, exact))
    {
        ++culled;
        return;
    }
    const bool nearest = d.nearest || exact;
    int count = static_cast<int>(stream_.size() / kStreamFloats) - first;
    if (!batches_.empty() && SameState(batches_.back(), d, nearest) &&
        batches_.back().first + batches_.back().count == first)
    {
        batches_.back().count += count;
        return;
    }
    Batch b;
    b.first = first;
    b.count = count;
    b.program = d.program;
    b.texture = d.textureName;
    b.nearest = nearest;
    b.opaque = d.opaque;
    b.fadeByBlend = d.fadeByBlend;
    b.view = d.view;
    b.projection = d.projection;
    b.light = d.light;
    batches_.push_back(b);
}

void SpriteSubmitter::Flush()
{
    if (batches_.empty() || !Gpu::Enabled())
    {
        stream_.clear();
        batches_.clear();
        view_[0] = view_[1] = 0;
        return;
    }
    glBindVertexArray(streamArray_);
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer_);
    size_t bytes = stream_.size() * sizeof(float);
    // Orphan and refill: the driver need not wait for last frame's draws.
    if (bytes > streamCapacity_) streamCapacity_ = bytes * 2;
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(streamCapacity_), nullptr,
                 GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), stream_.data());
    glActiveTexture(GL_TEXTURE0 + kTextureUnit);
    const ShaderProgram* current = nullptr;
    const glm::mat4 identity(1.0f);
    for (const Batch& b : batches_)
    {
        SetBlend(b.opaque, b.fadeByBlend, b.light.transparency);
        if (b.program != current) b.program->Use();
        current = b.program;
        b.program->SendMatrix(kUniModel, identity);
        b.program->SendMatrix(kUniView, b.view);
        b.program->SendMatrix(kUniProjection, b.projection);
        b.program->SendLight(b.light);
        b.program->SendInt(kUniTexture, kTextureUnit);
        glBindTexture(GL_TEXTURE_2D, b.texture);
        glBindSampler(kTextureUnit, SamplerFor(b.nearest));
        glDrawArrays(GL_TRIANGLES, b.first, b.count);
        ++drawCalls;
    }
    RestoreBlend();
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindSampler(kTextureUnit, 0);
    stream_.clear();
    batches_.clear();
    view_[0] = view_[1] = 0;
}

void SpriteSubmitter::DrawDirect(const SpriteDraw& d, int textureUnit, bool withLight)
{
    if (!Gpu::Enabled() || !d.program || !d.sprite) return;
    Init();
    Sprite& s = *d.sprite;
    int n = s.DrawableVertices();
    if (n == 0) return;
    d.program->Use();
    glBindVertexArray(pool_[static_cast<size_t>(d.textureIndex) % kVertexArrayPool]);
    if (s.VertexBuffer == 0) glGenBuffers(1, &s.VertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, s.VertexBuffer);
    if (d.upload || !s.BufferFilled)
    {
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(n) * s.CoordsPerVertex * sizeof(float),
                     s.VertexData.data(), GL_STATIC_DRAW);
        s.BufferFilled = true;
    }
    GLsizei stride = s.CoordsPerVertex * static_cast<GLsizei>(sizeof(float));
    glVertexAttribPointer(kAttrPosition, s.CoordsPerPos, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(kAttrPosition);
    if (s.CoordsPerColor > 0)
    {
        glVertexAttribPointer(kAttrColor, s.CoordsPerColor, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(s.CoordsPerPos * sizeof(float)));
        glEnableVertexAttribArray(kAttrColor);
    }
    else
    {
        glDisableVertexAttribArray(kAttrColor);
        glVertexAttrib4f(kAttrColor, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    size_t uvOffset = static_cast<size_t>(s.CoordsPerPos + s.CoordsPerColor) * sizeof(float);
    glVertexAttribPointer(kAttrTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(uvOffset));
    glEnableVertexAttribArray(kAttrTexCoord);
    d.program->SendMatrix(kUniModel, d.model);
    d.program->SendMatrix(kUniView, d.view);
    d.program->SendMatrix(kUniProjection, d.projection);
    if (withLight) d.program->SendLight(d.light);
    d.program->SendInt(kUniTexture, textureUnit);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(textureUnit));
    glBindTexture(GL_TEXTURE_2D, d.textureName);
    glBindSampler(static_cast<GLuint>(textureUnit), SamplerFor(d.nearest));
    // Blending as the batches have it, so that both ways give one picture.
    SetBlend(d.opaque, d.fadeByBlend, d.light.transparency);
    glDrawArrays(GL_TRIANGLES, 0, n);
    RestoreBlend();
    ++drawCalls;
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindSampler(static_cast<GLuint>(textureUnit), 0);
}
