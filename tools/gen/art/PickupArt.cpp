#include "art/PickupArt.h"

#include "kit/ArtKit.h"
#include "kit/Palette.h"

#include <algorithm>
#include <cmath>

namespace
{

// Capture gear is teal, EMP gear electric blue: the two colours tell the
// player which ammunition a station or blueprint is for.
const Material kTeal{Col(8, 64, 76), Col(20, 132, 144), Col(40, 192, 198), Col(156, 246, 240)};
const Material kShell{Col(104, 108, 134), Col(172, 176, 198), Col(220, 224, 238),
                      Col(255, 255, 255)};
const Rgba kTealGlow = Col(90, 240, 230);
const Rgba kEmpBlue = Col(80, 170, 255);
const Rgba kEmpCore = Col(210, 236, 255);

// Picks one of four tones from how much a surface faces the top-left light.
Rgba Lit(const Material& m, float light)
{
    if (light > 0.82f) return m.light;
    if (light > 0.45f) return m.base;
    if (light > 0.15f) return m.shadow;
    return m.dark;
}

// Capture ball centred at (cx, cy): teal cap, white shell, dark seam band and
// a glowing release button facing the viewer.
void PaintBall(Image& img, float cx, float cy, float r)
{
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; ++y)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; ++x)
        {
            const float nx = (x + 0.5f - cx) / r, ny = (y + 0.5f - cy) / r;
            const float rr = nx * nx + ny * ny;
            if (rr > 1.0f) continue;
            const float nz = std::sqrt(1.0f - rr);
            const float light = std::clamp(-0.45f * nx - 0.55f * ny + 0.7f * nz, 0.0f, 1.0f);
            Rgba c = Lit(ny < 0.0f ? kTeal : kShell, light);
            if (std::fabs(ny) < 0.13f) c = Col(22, 22, 34);
            img.Set(x, y, c);
        }
    const float b = std::max(1.6f, r * 0.32f);
    img.FillCircle(cx, cy, b + 0.4f, Col(22, 22, 34));
    img.FillCircle(cx, cy, b - 0.6f, kTealGlow);
    img.Set(static_cast<int>(cx - 0.5f), static_cast<int>(cy - 0.5f), Col(240, 255, 252));
    img.Set(static_cast<int>(cx - r * 0.45f), static_cast<int>(cy - r * 0.6f), Col(255, 255, 255));
}

Image ZentoBall()
{
    Image img(16, 16);
    PaintBall(img, 8.0f, 8.0f, 7.0f);
    img.Outline(pal::kOutline);
    return img;
}

// Dark metal puck with a glowing charge ring, seen slightly from above.
void PaintEmp(Image& img, float cx, float cy, float rx)
{
    const float ry = rx * 0.42f, depth = rx * 0.5f;
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry + depth) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x)
        {
            const float nx = (x + 0.5f - cx) / rx;
            if (std::fabs(nx) > 1.0f) continue;
            const float arc = ry * std::sqrt(1.0f - nx * nx);
            const float py = y + 0.5f - cy;
            if (py < -arc || py > arc + depth) continue;
            Rgba c;
            if (py < arc - 0.8f) // top face
                c = nx < -0.4f ? Col(92, 98, 122) : Col(64, 70, 92);
            else if (py > arc + depth * 0.35f && py < arc + depth * 0.7f)
                c = Mix(kEmpBlue, kEmpCore, 1.0f - std::fabs(nx)); // charge ring
            else
                c = nx < -0.5f ? Col(58, 62, 82) : Col(34, 36, 52);
            img.Set(x, y, c);
        }
    img.FillCircle(cx, cy, std::max(1.0f, rx * 0.28f), kEmpBlue); // core window
    img.Set(static_cast<int>(cx), static_cast<int>(cy - 0.5f), kEmpCore);
}

// Little electric forks flicking off the puck.
void Sparks(Image& img, const int (*pts)[2], int count)
{
    for (int i = 0; i < count; ++i)
    {
        img.Blend(pts[i][0], pts[i][1], kEmpCore);
        img.Blend(pts[i][0] + (i % 2 ? 1 : -1), pts[i][1] - 1, kEmpBlue, 0.9f);
    }
}

Image Emp()
{
    Image img(16, 16);
    img.Glow(8.0f, 8.0f, 8.0f, kEmpBlue, 0.7f);
    Image puck(16, 16);
    PaintEmp(puck, 8.0f, 6.5f, 6.8f);
    puck.Outline(pal::kOutline);
    img.Paste(puck, 0, 0);
    const int sparks[4][2] = {{2, 2}, {13, 1}, {1, 13}, {14, 14}};
    Sparks(img, sparks, 4);
    return img;
}

// Lightning bolt filling a w x h box at (x, y).
void Bolt(Image& img, int x, int y, Rgba c, Rgba core)
{
    const int rows[12][2] = {{5, 8}, {4, 7}, {4, 7}, {3, 6}, {2, 9}, {3, 8},
                             {4, 7}, {4, 6}, {3, 5}, {3, 4}, {2, 3}, {2, 2}};
    for (int j = 0; j < 12; ++j)
        for (int i = rows[j][0]; i <= rows[j][1]; ++i)
            img.Set(x + i, y + j, (i == rows[j][0] + 1 && j < 9) ? core : c);
}

// Steel pedestal with a coloured charge strip; the icon floats above it.
void PaintPedestal(Image& img, Rgba strip)
{
    img.FillRect(6, 22, 20, 9, Col(70, 76, 100));
    img.FillRect(6, 22, 20, 1, Col(130, 138, 166));
    img.FillRect(6, 22, 1, 9, Col(104, 110, 138));
    img.FillRect(25, 22, 1, 9, Col(40, 44, 62));
    img.FillRect(4, 20, 24, 3, Col(96, 104, 130)); // top plate
    img.FillRect(4, 20, 24, 1, Col(170, 178, 204));
    img.FillRect(9, 25, 14, 3, Col(20, 22, 34));
    for (int k = 0; k < 3; ++k) // charge level lights
        img.FillRect(10 + k * 5, 26, 3, 1, strip);
    img.FillRect(5, 30, 22, 2, Col(44, 46, 64));
}

Image Charger(bool emp)
{
    Image img(32, 32);
    const Rgba glow = emp ? kEmpBlue : kTealGlow;
    img.Glow(16.0f, 11.0f, 13.0f, glow, 0.6f);
    for (int y = 12; y < 20; ++y) // beam lifting the icon off the plate
        for (int x = 9; x < 23; ++x) img.Blend(x, y, glow, 0.12f + 0.02f * (y - 12));
    Image solid(32, 32);
    PaintPedestal(solid, glow);
    if (emp)
    {
        solid.FillCircle(16.0f, 10.0f, 8.5f, Col(20, 40, 86));
        solid.FillCircle(16.0f, 10.0f, 7.3f, Col(34, 74, 150));
        Bolt(solid, 11, 4, kEmpCore, Col(255, 255, 255));
    }
    else
        PaintBall(solid, 16.0f, 10.0f, 8.0f);
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    return img;
}

// Blueprint sheet unrolled from a tube at the top, with a "+" badge.
Image Upgrade(bool emp)
{
    const Rgba ink = emp ? Col(40, 96, 220) : Col(20, 150, 150);
    const Rgba paper = Col(228, 224, 206), grid = Mix(paper, ink, 0.18f);
    Image img(32, 32);
    img.FillRect(5, 5, 22, 23, paper);
    for (int y = 7; y < 28; y += 3) img.FillRect(6, y, 20, 1, grid);
    for (int x = 7; x < 26; x += 3) img.FillRect(x, 6, 1, 21, grid);
    img.FillRect(5, 27, 22, 1, Col(168, 160, 140)); // curled lower edge
    img.FillRect(26, 5, 1, 23, Col(190, 184, 164));
    img.FillRect(4, 2, 24, 4, Col(200, 194, 172)); // the roll
    img.FillRect(4, 2, 24, 1, Col(248, 246, 232));
    img.FillRect(4, 5, 24, 1, Col(140, 132, 112));
    img.FillRect(3, 3, 1, 2, Col(120, 112, 96));
    img.FillRect(28, 3, 1, 2, Col(120, 112, 96));
    if (emp)
    {
        Image puck(32, 32);
        PaintEmp(puck, 15.0f, 14.0f, 7.0f);
        for (int y = 0; y < 32; ++y) // drawn in ink: keep only the silhouette's edges
            for (int x = 0; x < 32; ++x)
                if (puck.Get(x, y).a && (!puck.Get(x - 1, y).a || !puck.Get(x, y - 1).a ||
                                         !puck.Get(x + 1, y).a || !puck.Get(x, y + 1).a))
                    img.Set(x, y, ink);
        Bolt(img, 10, 11, ink, ink);
    }
    else
    {
        for (int a = 0; a < 64; ++a)
        {
            const float t = a * 6.2831853f / 64.0f;
            img.Set(static_cast<int>(15.0f + 7.0f * std::cos(t)),
                    static_cast<int>(15.0f + 7.0f * std::sin(t)), ink);
        }
        img.FillRect(8, 15, 5, 1, ink);
        img.FillRect(18, 15, 5, 1, ink);
        img.FillCircle(15.5f, 15.5f, 2.6f, ink);
        img.FillCircle(15.5f, 15.5f, 1.4f, paper);
    }
    img.FillRect(8, 24, 9, 1, ink); // dimension line
    img.Outline(pal::kOutline);
    img.FillCircle(25.0f, 24.0f, 5.6f, pal::kOutline);
    img.FillCircle(25.0f, 24.0f, 4.6f, emp ? kEmpBlue : Col(40, 200, 190));
    img.FillRect(22, 23, 6, 2, Col(255, 255, 255));
    img.FillRect(24, 21, 2, 6, Col(255, 255, 255));
    return img;
}

// Beacon post, 1 x 2 units: a lamp on a pole with a pennant.
Image CheckPoint(bool on)
{
    const Rgba lamp = on ? Col(110, 255, 140) : Col(84, 90, 104);
    Image img(32, 64);
    if (on) img.Glow(16.0f, 8.0f, 16.0f, Col(90, 255, 130), 1.0f);
    Image solid(32, 64);
    solid.FillRect(14, 14, 4, 46, Col(78, 84, 106)); // pole
    solid.FillRect(14, 14, 1, 46, Col(140, 146, 176));
    solid.FillRect(17, 14, 1, 46, Col(44, 48, 66));
    for (int y = 48; y < 60; y += 4) solid.FillRect(14, y, 4, 2, pal::kHazardYellow);
    solid.FillRect(9, 59, 14, 4, Col(70, 74, 96)); // base plate
    solid.FillRect(9, 59, 14, 1, Col(130, 136, 164));
    solid.FillRect(10, 13, 12, 2, Col(60, 64, 84)); // lamp cage
    solid.FillRect(11, 3, 10, 10, lamp);
    solid.FillRect(12, 4, 2, 7, on ? Col(236, 255, 240) : Col(116, 122, 138));
    solid.FillRect(19, 4, 2, 9, on ? Col(60, 200, 96) : Col(62, 66, 80));
    for (int x : {15, 18}) solid.FillRect(x, 3, 1, 10, on ? Col(40, 120, 70) : Col(50, 54, 72));
    solid.FillRect(10, 1, 12, 2, Col(60, 64, 84));
    solid.FillRect(10, 1, 12, 1, Col(120, 126, 150));
    const Rgba flag = on ? Col(60, 200, 96) : Col(70, 72, 84);
    for (int i = 0; i < 10; ++i)
    {
        // Lit: the pennant flies out; unlit: it hangs against the pole.
        const int len = 10 - i;
        if (on)
            solid.FillRect(18, 18 + i, len, 1, i == 0 ? Shade(flag, 1.3f) : flag);
        else
            solid.FillRect(18, 18 + i, std::max(1, len / 3), 1, flag);
    }
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    if (on) img.Glow(16.0f, 8.0f, 8.0f, Col(200, 255, 210), 0.35f); // the glass itself shines
    return img;
}

} // namespace

bool MakePickupArt(const std::string& texDir)
{
    return SaveArt(ZentoBall(), texDir, "ZentoBall") && SaveArt(Emp(), texDir, "EMP") &&
           SaveArt(Charger(true), texDir, "EmpCharger") &&
           SaveArt(Charger(false), texDir, "BallCharger") &&
           SaveArt(Upgrade(true), texDir, "EmpUpgrade") &&
           SaveArt(Upgrade(false), texDir, "BallUpgrade") &&
           SaveArt(CheckPoint(false), texDir, "CheckPointOff") &&
           SaveArt(CheckPoint(true), texDir, "CheckPointOn");
}
