// PictureScene: a small data root of known flat colours for the picture tests, built at run
// time, plus the PNG reading and world-to-pixel arithmetic the checks need.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace PictureScene
{
struct Rgba
{
    int r = 0, g = 0, b = 0, a = 255;
};

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr float kCameraZ = 10.0f;

// Where the scene's objects stand (world units) and the HUD sprite (clip units).
constexpr float kGreenX = -6.0f, kGreenY = 2.0f;
constexpr float kHalvesX = -2.0f, kHalvesY = 2.0f;
constexpr float kBlendX = 3.0f, kBlendY = 2.0f;
constexpr float kStackX = 6.0f, kStackY = -2.0f;
constexpr float kUpDownX = -6.0f, kUpDownY = -2.0f; // green top, red bottom
constexpr float kHudX = 0.7f, kHudY = -0.7f;

// The scene: "SceneA.json" (camera at x 0) and "SceneB.json" (camera at x 2), same objects.
std::filesystem::path Build(const std::string& tag);

struct Image
{
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    bool Valid() const { return width > 0 && height > 0; }
    Rgba At(int x, int y) const;
    // Pixels in a box around (x, y) for which test is true.
    template <typename F> int Count(int x0, int y0, int x1, int y1, F test) const
    {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (x >= 0 && y >= 0 && x < width && y < height && test(At(x, y))) ++n;
        return n;
    }
};
Image LoadPng(const std::filesystem::path& file);

struct Pixel
{
    int x, y;
};
Pixel WorldToPixel(float x, float y, float cameraX, float cameraY);
Pixel ClipToPixel(float x, float y);

// Colour tests that survive small filtering differences.
bool Near(const Rgba& c, int r, int g, int b, int tolerance = 24);
bool Dominant(const Rgba& c, char channel);

// Runs the real game under a virtual X server and takes a screenshot of the last frame.
// Returns "" on success, "skip: ..." when no GL context can be made here, else what went wrong.
std::string RunGame(const std::filesystem::path& root, const std::string& level, int frames,
                    const std::filesystem::path& shot);
// Whether xvfb-run exists.
bool HaveVirtualDisplay();
} // namespace PictureScene
