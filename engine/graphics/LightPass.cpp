#include "engine/graphics/LightPass.h"

#include <algorithm>
#include <cmath>

#include <GL/glew.h>
#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "engine/graphics/Gpu.h"
#include "engine/graphics/SpriteSubmitter.h"
#include "engine/graphics/TextureLoader.h"

namespace
{
// Big enough that the stretched light shows no steps at the closing light's smallest radius.
constexpr int kLightMapSize = 512;
constexpr int kGlowMapSize = 64;
constexpr int kFloats = SpriteSubmitter::kVertexFloats;
// The radius of the disc the light map leaves at full light, in radii: the map is exactly 1
// wherever the squared distance is under 0.3 radii (0.548 radii), less room for its texels.
constexpr float kFullLightRadius = 0.53f;
// Bands the fully lit disc is cut into; more leave out more of it for more rectangles.
constexpr int kBands = 8;

void SetQuad(float* out, const glm::vec2& low, const glm::vec2& high, const glm::vec2& uvLow,
             const glm::vec2& uvHigh)
{
    // Two triangles sharing a diagonal, as sprites are laid out.
    const glm::vec2 corners[6] = {{1, 0}, {0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 1}};
    for (const glm::vec2& c : corners)
    {
        const float v[kFloats] = {low.x + (high.x - low.x) * c.x,
                                  low.y + (high.y - low.y) * c.y,
                                  0.0f,
                                  1.0f,
                                  1.0f,
                                  1.0f,
                                  1.0f,
                                  uvLow.x + (uvHigh.x - uvLow.x) * c.x,
                                  uvLow.y + (uvHigh.y - uvLow.y) * c.y};
        out = std::copy(v, v + kFloats, out);
    }
}

// The part of the sprites' plane (z = 0) that the camera shows; false when the matrices do not
// describe a camera looking at it.
bool VisibleRect(const glm::mat4& view, const glm::mat4& projection, glm::vec2& low,
                 glm::vec2& high)
{
    const glm::mat4 inverse = glm::inverse(projection * view);
    low = glm::vec2(1e30f);
    high = glm::vec2(-1e30f);
    for (int i = 0; i < 4; ++i)
    {
        const float x = (i & 1) ? 1.0f : -1.0f, y = (i & 2) ? 1.0f : -1.0f;
        glm::vec4 nearPoint = inverse * glm::vec4(x, y, -1.0f, 1.0f);
        glm::vec4 farPoint = inverse * glm::vec4(x, y, 1.0f, 1.0f);
        if (nearPoint.w == 0.0f || farPoint.w == 0.0f) return false;
        const glm::vec3 a = glm::vec3(nearPoint) / nearPoint.w;
        const glm::vec3 b = glm::vec3(farPoint) / farPoint.w;
        if (a.z == b.z) return false;
        const float t = -a.z / (b.z - a.z);
        const glm::vec2 p = glm::vec2(a + (b - a) * t);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    return true;
}
} // namespace

int LightPass::AroundFullLight(const Rect& view, const glm::vec2& player, float radius, Rect* out)
{
    // Multiplying by 1 changes nothing, so the fully lit disc is left out: the view is cut into
    // bands across the disc, and each band skips the disc's narrowest chord within it.
    const float inner = kFullLightRadius * radius;
    const float bottom = std::max(view.low.y, player.y - inner);
    const float top = std::min(view.high.y, player.y + inner);
    int n = 0;
    auto add = [&](glm::vec2 low, glm::vec2 high)
    {
        if (n < kMaxRects && low.x < high.x && low.y < high.y) out[n++] = Rect{low, high};
    };
    if (bottom >= top)
    {
        add(view.low, view.high);
        return n;
    }
    add(view.low, {view.high.x, bottom});
    add({view.low.x, top}, view.high);
    const float step = (top - bottom) / kBands;
    for (int b = 0; b < kBands; ++b)
    {
        const float y0 = bottom + step * b, y1 = b + 1 == kBands ? top : y0 + step;
        const float far = std::max(std::abs(y0 - player.y), std::abs(y1 - player.y));
        const float chord = std::sqrt(std::max(inner * inner - far * far, 0.0f));
        const float x0 = std::max(view.low.x, player.x - chord);
        const float x1 = std::min(view.high.x, player.x + chord);
        if (x0 >= x1)
        {
            add({view.low.x, y0}, {view.high.x, y1});
            continue;
        }
        add({view.low.x, y0}, {x0, y1});
        add({x1, y0}, {view.high.x, y1});
    }
    return n;
}

void LightPass::Ready()
{
    if (ready_) return;
    glGenFramebuffers(1, &framebuffer_);
    glGenVertexArrays(1, &array_);
    glGenBuffers(1, &buffer_);
    glBindVertexArray(array_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, kMaxRects * 6 * kFloats * sizeof(float), nullptr,
                 GL_DYNAMIC_DRAW);
    SpriteSubmitter::PointVertexAttributes();
    glBindVertexArray(0);
    // Beyond a map lies the night (or, for the closing light, the dark) of its clamped edge.
    light_.texture = MakeTargetTexture(kLightMapSize, kLightMapSize, GL_NEAREST);
    glow_.texture = MakeTargetTexture(kGlowMapSize, kGlowMapSize, GL_LINEAR);
    ready_ = true;
}

void LightPass::DrawMap(ShaderProgram& program, Map& map, int size, float ambient, int spotLight,
                        int glow)
{
    if (map.ambient == ambient && map.spotLight == spotLight) return;
    map.ambient = ambient;
    map.spotLight = spotLight;
    GLint boundFramebuffer = 0, viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &boundFramebuffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, map.texture, 0);
    glViewport(0, 0, size, size);
    glDisable(GL_BLEND);
    // The map program sees the offset from the player in radii as its position.
    float quad[6 * kFloats];
    SetQuad(quad, glm::vec2(-1.0f), glm::vec2(1.0f), glm::vec2(0.0f), glm::vec2(1.0f));
    glBindVertexArray(array_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof quad, quad);
    program.Use();
    LightState state = program.light;
    state.ambient = ambient;
    state.spotLight = spotLight;
    state.godMode = glow;
    program.SendLight(state);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glEnable(GL_BLEND);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(boundFramebuffer));
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void LightPass::Stretch(const Map& map, const Rect* rects, int count, const glm::vec2& centre,
                        float radius)
{
    const glm::vec2 origin = centre - glm::vec2(radius);
    const float across = 2.0f * radius;
    float quads[kMaxRects * 6 * kFloats];
    count = std::min(count, kMaxRects);
    for (int i = 0; i < count; ++i)
        SetQuad(quads + i * 6 * kFloats, rects[i].low, rects[i].high,
                (rects[i].low - origin) / across, (rects[i].high - origin) / across);
    glBindVertexArray(array_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferSubData(GL_ARRAY_BUFFER, 0,
                    static_cast<GLsizeiptr>(count * 6 * kFloats * sizeof(float)), quads);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, map.texture);
    glBindSampler(0, 0);
    glDrawArrays(GL_TRIANGLES, 0, count * 6);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void LightPass::Apply(ShaderProgram* mapProgram, ShaderProgram* drawProgram,
                      const LightState& light, const glm::mat4& view, const glm::mat4& projection)
{
    if (!Gpu::Enabled() || !mapProgram || !drawProgram || !mapProgram->Linked ||
        !drawProgram->Linked || !light.hasPlayer)
        return;
    Ready();
    DrawMap(*mapProgram, light_, kLightMapSize, light.ambient, light.spotLight, 0);
    const float radius = std::max(light.spotlightRadius, 0.001f);
    const glm::vec2 player(light.playerPos);
    glm::vec2 low, high;
    if (!VisibleRect(view, projection, low, high))
    {
        low = player - glm::vec2(4.0f * radius);
        high = player + glm::vec2(4.0f * radius);
    }
    // A unit beyond the view on every side, so no edge pixel is left out by rounding.
    low -= glm::vec2(1.0f);
    high += glm::vec2(1.0f);
    drawProgram->Use();
    drawProgram->SendMatrix(kUniModel, glm::mat4(1.0f));
    drawProgram->SendMatrix(kUniView, view);
    drawProgram->SendMatrix(kUniProjection, projection);
    drawProgram->SendInt(kUniTexture, 0);
    LightState plain = light;
    plain.transparency = 1.0f;
    drawProgram->SendLight(plain);
    // What the world drew, times the light; its alpha is left as it is.
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    Rect rects[kMaxRects];
    const int count = AroundFullLight(Rect{low, high}, player, radius, rects);
    Stretch(light_, rects, count, player, radius);
    if (light.godMode)
    {
        DrawMap(*mapProgram, glow_, kGlowMapSize, light.ambient, 0, 1);
        drawProgram->Use();
        // The glow map is premultiplied: it lays its warm colour over by its own strength.
        glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
        const float glowRadius = std::max(light.godRadius, 0.001f);
        const Rect glow{player - glm::vec2(glowRadius), player + glm::vec2(glowRadius)};
        Stretch(glow_, &glow, 1, player, glowRadius);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void LightPass::Release()
{
    if (ready_ && Gpu::Enabled())
    {
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteVertexArrays(1, &array_);
        glDeleteBuffers(1, &buffer_);
        glDeleteTextures(1, &light_.texture);
        glDeleteTextures(1, &glow_.texture);
    }
    ready_ = false;
    framebuffer_ = array_ = buffer_ = 0;
    light_ = Map();
    glow_ = Map();
}
