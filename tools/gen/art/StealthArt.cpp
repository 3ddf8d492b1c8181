#include "art/StealthArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Palette.h"

#include <algorithm>
#include <cmath>

namespace
{

// Light cones are drawn at full resolution: they are soft light, not pixel
// art, and get rotated and stretched in game.
constexpr int kCone = 256;

// Colour with zero alpha keeps its hue so filtering at the cone's soft edge
// never pulls in black.
void SetLight(Image& img, int x, int y, Rgba c, float alpha)
{
    img.Set(
        x, y,
        Col(c.r, c.g, c.b, static_cast<int>(std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255.0f))));
}

// Torch beam: apex at the top centre, widening down to the full bottom edge.
Image GuardCone();

// The beam as it meets the floor the guard walks on: the game turns the cone a quarter turn
// onto its side (3.2 units across, centred 0.75 above the floor), so the floor is a column of
// the picture, on the left for a guard facing right. Light stops there with a bright seam
// instead of running on into the ground.
Image GuardConeOnFloor(bool facingRight)
{
    constexpr float kFloor = 0.5f - 0.75f / 3.2f; // of the picture's width
    Image img = GuardCone();
    const float floorX = kFloor * kCone;
    for (int y = 0; y < kCone; ++y)
        for (int i = 0; i < kCone; ++i)
        {
            const int x = facingRight ? i : kCone - 1 - i;
            Rgba c = img.Get(x, y);
            const float past = floorX - (i + 0.5f); // pixels beyond the floor
            if (past > 0.0f)
                c.a = 0;
            else if (past > -3.0f && c.a > 0)
                c.a = static_cast<std::uint8_t>(std::min(255.0f, c.a * 1.6f));
            img.Set(x, y, c);
        }
    return img;
}

Image GuardCone()
{
    Image img(kCone, kCone);
    const float cx = kCone * 0.5f;
    for (int y = 0; y < kCone; ++y)
    {
        const float t = (y + 0.5f) / kCone;
        const float half = std::max(0.5f, cx * t);
        const Rgba c = Mix(Col(255, 246, 196), Col(255, 212, 96), std::min(1.0f, t * 1.6f));
        for (int x = 0; x < kCone; ++x)
        {
            const float d = std::fabs(x + 0.5f - cx) / half;
            const float edge = SmoothStep(1.0f, 0.72f, d);
            const float core = 0.33f + 0.34f * std::exp(-t * 5.0f) + 0.1f * (1.0f - d * d);
            const float rim = 0.07f * SmoothStep(0.7f, 0.86f, d) * SmoothStep(1.0f, 0.9f, d);
            SetLight(img, x, y, c, (core + rim) * edge * (1.0f - 0.18f * t));
        }
    }
    return img;
}

// Camera sweep: apex at the lens in the image centre, only the lower half lit.
Image CameraCone()
{
    Image img(kCone, kCone);
    const float cx = kCone * 0.5f, cy = kCone * 0.5f;
    for (int y = 0; y < kCone; ++y)
        for (int x = 0; x < kCone; ++x)
        {
            const float dy = y + 0.5f - cy, dx = x + 0.5f - cx;
            const float t = std::max(0.0f, dy) / cy;
            const Rgba c = Mix(Col(255, 170, 190), Col(255, 52, 96), std::min(1.0f, t * 2.0f));
            if (dy <= 0.0f)
            {
                SetLight(img, x, y, c, 0.0f);
                continue;
            }
            const float d = std::fabs(dx) / std::max(0.5f, dy);
            const float r = std::sqrt(dx * dx + dy * dy);
            const float edge = SmoothStep(1.0f, 0.8f, d);
            const float scan = std::fmod(r, 9.0f) < 1.6f ? 0.09f : 0.0f; // sweep rings
            const float rim = 0.16f * SmoothStep(0.78f, 0.9f, d);
            const float core = 0.24f + 0.3f * std::exp(-t * 6.0f) + scan + rim;
            SetLight(img, x, y, c, core * edge * SmoothStep(0.0f, 0.03f, t));
        }
    return img;
}

const Material kHousing{Col(56, 60, 80), Col(122, 128, 150), Col(168, 174, 194),
                        Col(218, 222, 236)};
const Material kBracket{Col(22, 24, 34), Col(44, 48, 62), Col(64, 70, 88), Col(104, 110, 132)};
const Material kGlass{Col(6, 6, 14), Col(14, 16, 30), Col(24, 28, 52), Col(74, 86, 140)};

// Camera body hanging from its wall bracket, lens tipped down towards +x.
Image SecurityCamera()
{
    Figure f(32, 32);
    f.BeginPart(kBracket);
    f.Capsule(Vec2{10.0f, 1.5f}, 1.5f, Vec2{22.0f, 1.5f}, 1.5f); // plate on the ceiling
    f.Capsule(Vec2{16.0f, 2.0f}, 1.6f, Vec2{15.0f, 10.0f}, 1.6f);
    f.Ellipse(Vec2{15.0f, 11.0f}, 2.6f, 2.6f);
    f.BeginPart(kHousing);
    f.Capsule(Vec2{8.0f, 11.0f}, 4.6f, Vec2{21.0f, 18.0f}, 5.0f);
    f.BeginPart(kBracket); // sun shade along the top
    f.Capsule(Vec2{9.0f, 7.0f}, 1.2f, Vec2{25.5f, 15.5f}, 1.2f);
    f.BeginPart(kBracket);
    f.Ellipse(Vec2{24.5f, 20.5f}, 3.6f, 4.2f); // lens barrel
    const int barrel = f.CurrentPart();
    f.BeginPart(kGlass);
    f.EllipseInside(Vec2{25.5f, 21.5f}, 2.6f, 3.0f, barrel);
    f.Decal(25, 20, Col(200, 210, 255));
    for (int i = 0; i < 3; ++i) f.Decal(10 + i * 2, 16 + i, kHousing.shadow); // cooling slots
    Image img = f.Render(pal::kOutline);
    img.Glow(20.0f, 14.0f, 4.5f, Col(255, 40, 50), 0.8f);
    img.Set(19, 13, Col(255, 60, 60)); // recording LED
    img.Set(20, 13, Col(255, 210, 210));
    return img;
}

void Bolt(Image& img, int x, int y)
{
    img.Set(x, y, Col(176, 182, 204));
    img.Set(x + 1, y, Col(120, 126, 150));
    img.Set(x, y + 1, Col(104, 110, 134));
    img.Set(x + 1, y + 1, Col(30, 30, 46));
}

// Wall plate a camera or sensor is bolted to.
Image CameraNode()
{
    Image img(16, 16);
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 15; ++x)
        {
            const bool corner = (x == 1 || x == 14) && (y == 1 || y == 14);
            if (corner) continue;
            Rgba c = Col(78, 84, 108);
            if (y == 1 || x == 1) c = Col(132, 138, 166);
            if (y == 14 || x == 14) c = Col(46, 50, 68);
            img.Set(x, y, c);
        }
    Bolt(img, 3, 3);
    Bolt(img, 11, 3);
    Bolt(img, 3, 11);
    Bolt(img, 11, 11);
    img.FillCircle(8.0f, 8.0f, 2.6f, Col(24, 26, 38)); // cable socket
    img.Set(7, 7, Col(90, 96, 124));
    img.Set(9, 9, Col(255, 80, 80));
    img.Outline(pal::kOutline);
    return img;
}

const Rgba kBinDark = Col(26, 42, 38), kBinShadow = Col(40, 66, 58), kBinBase = Col(56, 92, 78),
           kBinLight = Col(88, 130, 110);

// Dumpster body with ribs, a label and wheels; the lid is drawn separately.
void PaintBin(Image& img)
{
    for (int y = 14; y < 43; ++y)
    {
        const int inset = (y - 14) / 10; // tapers a little towards the bottom
        for (int x = 2 + inset; x < 30 - inset; ++x)
        {
            Rgba c = kBinBase;
            if (x <= 3 + inset) c = kBinLight;
            if (x >= 27 - inset) c = kBinShadow;
            if ((x - 2) % 7 == 5) c = kBinLight; // pressed ribs
            if ((x - 2) % 7 == 6) c = kBinShadow;
            if (y >= 40) c = Shade(c, 0.8f);
            img.Set(x, y, c);
        }
    }
    img.FillRect(1, 12, 30, 3, Col(96, 104, 124)); // steel rim
    img.FillRect(1, 12, 30, 1, Col(156, 164, 188));
    img.FillRect(1, 14, 30, 1, Col(50, 54, 70));
    img.FillRect(10, 24, 9, 6, Col(214, 206, 170)); // faded label
    img.FillRect(10, 29, 9, 1, Col(150, 140, 110));
    img.FillRect(12, 26, 5, 1, Col(80, 74, 60));
    img.FillRect(11, 20, 7, 1, kBinDark);
    for (int wx : {8, 23})
    {
        img.FillCircle(wx + 0.5f, 44.5f, 3.2f, Col(22, 20, 28));
        img.Set(wx, 44, Col(120, 124, 146));
        img.Set(wx - 1, 43, Col(60, 60, 74));
    }
}

// Lid hinged at the back (left); `open` lifts its front edge (radians).
void PaintLid(Image& img, float open)
{
    const Vec2 hinge{1.5f, 11.5f};
    const float c = std::cos(open), s = std::sin(open);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
        {
            // Lid space: u along the lid from the hinge, v up from its underside.
            const float dx = x + 0.5f - hinge.x, dy = y + 0.5f - hinge.y;
            const float u = c * dx - s * dy, v = -(s * dx + c * dy);
            if (u < -0.5f || u > 30.0f || v < 0.0f || v > 4.0f) continue;
            if (u > 27.0f && v > 3.0f) continue; // rounded front
            Rgba col = Col(44, 62, 58);
            if (v > 3.0f)
                col = Col(92, 120, 110);
            else if (v < 1.0f)
                col = Col(26, 36, 36);
            if (u > 26.0f && u < 29.5f && v > 0.8f && v < 2.2f) col = Col(130, 136, 156); // handle
            img.Set(x, y, col);
        }
}

Image TrashCan(bool occupied)
{
    Image img(32, 48);
    PaintBin(img);
    if (occupied)
    {
        // Dark gap under the raised lid with someone peering out.
        for (int x = 3; x < 30; ++x)
        {
            const int top = 12 - static_cast<int>((x - 2) * std::tan(0.2f));
            img.FillRect(x, top, 1, 12 - top, Col(8, 6, 16));
        }
        for (int ex : {19, 24})
        {
            img.FillRect(ex, 8, 3, 3, Col(236, 240, 250));
            img.FillRect(ex + 2, 9, 1, 2, pal::kEye);
            img.Set(ex + 1, 9, pal::kEye);
        }
    }
    PaintLid(img, occupied ? 0.2f : 0.0f);
    img.Outline(pal::kOutline);
    return img;
}

} // namespace

bool MakeStealthArt(const std::string& texDir)
{
    return GuardConeOnFloor(true).SavePng(texDir + "/GuardCone.png") &&
           GuardConeOnFloor(false).SavePng(texDir + "/GuardConeLeft.png") &&
           CameraCone().SavePng(texDir + "/CameraCone.png") &&
           SaveArt(SecurityCamera(), texDir, "SecurityCamera") &&
           SaveArt(CameraNode(), texDir, "CameraNode") &&
           SaveArt(TrashCan(false), texDir, "TrashCan") &&
           SaveArt(TrashCan(true), texDir, "TrashCanOccupied");
}
