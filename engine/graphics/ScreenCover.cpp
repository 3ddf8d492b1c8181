#include "engine/graphics/ScreenCover.h"

#include <algorithm>
#include <cmath>

#include <glm/vec4.hpp>

#include "engine/graphics/Sprite.h"

namespace
{
constexpr float kEps = 1e-4f;
} // namespace

bool MeshCoversScreen(const Sprite& sprite, const glm::mat4& model)
{
    const int stride = sprite.CoordsPerVertex;
    if (sprite.VertexNumber != 6 || sprite.CoordsPerPos < 2 || stride < sprite.CoordsPerPos ||
        6 * stride > Sprite::kMaxFloats)
        return false;
    float x[6], y[6];
    for (int v = 0; v < 6; ++v)
    {
        const float* p = &sprite.VertexData[static_cast<size_t>(v * stride)];
        glm::vec4 at = model * glm::vec4(p[0], p[1], sprite.CoordsPerPos > 2 ? p[2] : 0.0f, 1.0f);
        x[v] = at.x;
        y[v] = at.y;
    }
    const float left = *std::min_element(x, x + 6), right = *std::max_element(x, x + 6);
    const float bottom = *std::min_element(y, y + 6), top = *std::max_element(y, y + 6);
    if (left > -1.0f + kEps || right < 1.0f - kEps || bottom > -1.0f + kEps || top < 1.0f - kEps)
        return false;
    // Every vertex on a corner of the box (bit 0: right, bit 1: top); each triangle uses three
    // different corners, and the corners the two leave out are opposite: then they are the two
    // halves of the box on one diagonal.
    int missing[2] = {0, 0};
    for (int t = 0; t < 2; ++t)
    {
        int used = 0;
        for (int v = 3 * t; v < 3 * t + 3; ++v)
        {
            const bool onX = std::fabs(x[v] - left) < kEps || std::fabs(x[v] - right) < kEps;
            const bool onY = std::fabs(y[v] - bottom) < kEps || std::fabs(y[v] - top) < kEps;
            if (!onX || !onY) return false;
            used |= 1 << ((std::fabs(x[v] - right) < kEps ? 1 : 0) |
                          (std::fabs(y[v] - top) < kEps ? 2 : 0));
        }
        int count = 0;
        for (int corner = 0; corner < 4; ++corner)
        {
            if (used & (1 << corner))
                ++count;
            else
                missing[t] = corner;
        }
        if (count != 3) return false;
    }
    return (missing[0] ^ missing[1]) == 3;
}
