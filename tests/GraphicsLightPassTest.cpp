// Where the light pass draws: every point of the view the light map changes lies in one of its
// rectangles, none reaches into the fully lit disc, and they never overlap (an overlap would
// multiply a pixel by the light twice). No GPU.
#include <gtest/gtest.h>

#include "engine/graphics/LightPass.h"

namespace
{
int Covering(const LightPass::Rect* rects, int n, glm::vec2 p)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += p.x >= rects[i].low.x && p.x < rects[i].high.x && p.y >= rects[i].low.y &&
                 p.y < rects[i].high.y;
    return count;
}
} // namespace

TEST(LightPass, RectanglesCoverTheViewAroundTheFullyLitDiscOnce)
{
    struct Case
    {
        const char* what;
        glm::vec2 player;
        float radius;
    };
    const LightPass::Rect view{{0.0f, 0.0f}, {30.0f, 17.0f}};
    const Case cases[] = {
        {"centred, the usual light", {15.0f, 8.5f}, 25.0f},
        {"at the level's left edge", {1.0f, 3.0f}, 25.0f},
        {"the closing light, small", {15.0f, 8.5f}, 6.0f},
        {"far outside the view", {200.0f, 8.5f}, 25.0f},
        {"no radius at all", {15.0f, 8.5f}, 0.0f},
    };
    for (const Case& c : cases)
    {
        LightPass::Rect rects[LightPass::kMaxRects];
        const int n = LightPass::AroundFullLight(view, c.player, c.radius, rects);
        ASSERT_GT(n, 0) << c.what;
        ASSERT_LE(n, LightPass::kMaxRects) << c.what;
        const float full = 0.5477f * c.radius; // the map is exactly 1 within this distance
        for (float y = 0.05f; y < 17.0f; y += 0.1f)
            for (float x = 0.05f; x < 30.0f; x += 0.1f)
            {
                const glm::vec2 p(x, y);
                const int covered = Covering(rects, n, p);
                ASSERT_LE(covered, 1) << c.what << " at " << x << "," << y;
                if (glm::length(p - c.player) >= full)
                {
                    ASSERT_EQ(covered, 1) << c.what << ": left unlit at " << x << "," << y;
                }
            }
        for (int i = 0; i < n; ++i)
        {
            EXPECT_GE(rects[i].low.x, view.low.x) << c.what;
            EXPECT_LE(rects[i].high.y, view.high.y) << c.what;
        }
    }
}
