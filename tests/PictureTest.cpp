// Picture tests: the real game, windowed under a virtual X server with software GL, draws a
// scene of known flat colours and its screenshot is checked where each sprite stands.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/PictureScene.h"

namespace fs = std::filesystem;
using namespace PictureScene;

namespace
{
// Runs a level of the scene and loads the shot; skips the test when no GL context can be made.
#define SHOOT(image, root, level)                                                                  \
    do                                                                                             \
    {                                                                                              \
        if (!HaveVirtualDisplay())                                                                 \
            GTEST_SKIP() << "needs xvfb-run (a Linux X server) for a GL context";                  \
        fs::path shot = (root) / ((level) + std::string(".png"));                                  \
        std::string why = RunGame(root, level, 3, shot);                                           \
        if (why.rfind("skip:", 0) == 0) GTEST_SKIP() << why;                                       \
        ASSERT_EQ(why, "");                                                                        \
        image = LoadPng(shot);                                                                     \
        ASSERT_TRUE(image.Valid()) << "unreadable screenshot " << shot;                            \
        ASSERT_EQ(image.width, kWidth);                                                            \
        ASSERT_EQ(image.height, kHeight);                                                          \
    } while (0)

// BELLRUN_KEEP_PICTURES=1 keeps the scene and its shots for a look.
void Clean(const fs::path& root)
{
    if (std::getenv("BELLRUN_KEEP_PICTURES"))
        std::printf("pictures kept in %s\n", root.string().c_str());
    else
        fs::remove_all(root);
}

Rgba AtWorld(const Image& img, float x, float y, float cameraX)
{
    Pixel p = WorldToPixel(x, y, cameraX, 0.0f);
    return img.At(p.x, p.y);
}
} // namespace

TEST(PictureTest, EverySpriteShowsWhereItStands)
{
    fs::path root = Build("picture");
    Image img;
    SHOOT(img, root, "SceneA.json");

    // Not blank: the background and at least five other colours.
    int grey =
        img.Count(0, 0, kWidth - 1, kHeight - 1, [](Rgba c) { return Near(c, 50, 50, 60, 6); });
    EXPECT_GT(grey, kWidth * kHeight / 2) << "the background should fill most of the view";
    EXPECT_TRUE(Near(img.At(20, 20), 50, 50, 60, 6)) << "background in the corner";

    EXPECT_TRUE(Near(AtWorld(img, kGreenX, kGreenY, 0), 0, 255, 0)) << "green square";
    // The two-colour sheet, not mirrored: red on the left, blue on the right.
    EXPECT_TRUE(Dominant(AtWorld(img, kHalvesX - 0.5f, kHalvesY, 0), 'r'));
    EXPECT_TRUE(Dominant(AtWorld(img, kHalvesX + 0.5f, kHalvesY, 0), 'b'));
    // Images stand upright: the top of the sheet at the top of the quad.
    EXPECT_TRUE(Near(AtWorld(img, kUpDownX, kUpDownY + 0.5f, 0), 0, 255, 0)) << "top half";
    EXPECT_TRUE(Near(AtWorld(img, kUpDownX, kUpDownY - 0.5f, 0), 255, 0, 0)) << "bottom half";
    // Half-transparent white over blue blends to a light blue.
    Rgba blend = AtWorld(img, kBlendX, kBlendY, 0);
    EXPECT_TRUE(Near(blend, 128, 128, 255, 20)) << blend.r << "," << blend.g << "," << blend.b;
    EXPECT_TRUE(Near(AtWorld(img, kBlendX + 0.9f, kBlendY, 0), 0, 0, 255)) << "blue around it";
    // A later layer covers an earlier one.
    EXPECT_TRUE(Near(AtWorld(img, kStackX, kStackY, 0), 0, 255, 0)) << "layer 6 over layer 5";
    EXPECT_TRUE(Near(AtWorld(img, kStackX - 0.8f, kStackY, 0), 255, 0, 0)) << "layer 5 around it";
    // The screen-layer sprite sits by clip coordinates, unlit.
    Pixel hud = ClipToPixel(kHudX, kHudY);
    EXPECT_TRUE(Near(img.At(hud.x, hud.y), 255, 255, 0));
    Clean(root);
}

TEST(PictureTest, ScreenSpriteStaysPutWhileTheCameraMoves)
{
    fs::path root = Build("picture-camera");
    Image a, b;
    SHOOT(a, root, "SceneA.json");
    SHOOT(b, root, "SceneB.json");
    // Camera two units to the right: the world shifts left, the HUD does not.
    EXPECT_TRUE(Near(AtWorld(b, kGreenX, kGreenY, 2.0f), 0, 255, 0));
    EXPECT_FALSE(Near(AtWorld(b, kGreenX + 0.8f, kGreenY, 0.0f), 0, 255, 0));
    EXPECT_TRUE(Near(AtWorld(a, kGreenX + 0.8f, kGreenY, 0.0f), 0, 255, 0));
    Pixel hud = ClipToPixel(kHudX, kHudY);
    int w = static_cast<int>(0.1f * kWidth * 0.5f) - 3,
        h = static_cast<int>(0.1f * kHeight * 0.5f) - 3;
    auto yellow = [](Rgba c) { return Near(c, 255, 255, 0); };
    int inA = a.Count(hud.x - w, hud.y - h, hud.x + w, hud.y + h, yellow);
    int inB = b.Count(hud.x - w, hud.y - h, hud.x + w, hud.y + h, yellow);
    EXPECT_EQ(inA, (2 * w + 1) * (2 * h + 1));
    EXPECT_EQ(inB, inA);
    Clean(root);
}
