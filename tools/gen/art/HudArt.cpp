#include "art/HudArt.h"

#include "kit/ArtKit.h"
#include "kit/Palette.h"

#include <algorithm>
#include <cmath>

namespace
{

// The HUD is pixel art like the world, drawn at half size and doubled so its
// edges stay crisp on screen.

// Inside test for a heart filling a 32 x 32 cell.
bool InHeart(int x, int y)
{
    const float u = (x + 0.5f - 16.0f) / 11.8f, v = (15.5f - (y + 0.5f)) / 11.8f + 0.1f;
    const float a = u * u + v * v - 1.0f;
    return a * a * a - u * u * v * v * v <= 0.0f;
}

void PaintHeart(Image& img, int ox, bool full)
{
    Image cell(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            if (!InHeart(x, y)) continue;
            const bool edge = !InHeart(x - 1, y) || !InHeart(x + 1, y) || !InHeart(x, y - 1) ||
                              !InHeart(x, y + 1);
            if (!full)
            {
                // A lost life: hollow, just its rim left.
                cell.Set(x, y, edge ? Col(150, 92, 118) : Col(34, 24, 46, 200));
                continue;
            }
            Rgba c = Mix(Col(255, 92, 84), Col(176, 28, 52),
                         std::clamp((x + y - 12) / 36.0f, 0.0f, 1.0f));
            if (edge && (x > 16 || y > 18)) c = Col(120, 16, 40);
            cell.Set(x, y, c);
        }
    if (full)
    {
        cell.FillRect(8, 8, 4, 2, Col(255, 214, 200)); // shine on the left lobe
        cell.FillRect(7, 10, 2, 3, Col(255, 170, 156));
        cell.Set(13, 7, Col(255, 190, 176));
    }
    cell.Outline(pal::kOutline);
    img.Paste(cell, ox, 0);
}

Image Health(int lives)
{
    Image img(96, 32);
    for (int i = 0; i < 3; ++i) PaintHeart(img, i * 32, i < lives);
    return img;
}

// Rounded bar body: pill with a 2-step rounding at each end.
bool InPill(int x, int y, int w, int h)
{
    const int r = h / 2;
    const float cy = h * 0.5f;
    const float cx = x < r ? r : (x >= w - r ? w - r : x + 0.5f);
    const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
    return dx * dx + dy * dy <= r * r + 0.5f;
}

// Detection meter fill: yellow through orange to red, with a glossy top.
Image DetectionBar()
{
    Image img(128, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 128; ++x)
        {
            if (!InPill(x, y, 128, 16)) continue;
            const float t = x / 127.0f;
            Rgba c = t < 0.5f ? Mix(Col(255, 222, 64), Col(255, 140, 40), t * 2.0f)
                              : Mix(Col(255, 140, 40), Col(226, 36, 44), (t - 0.5f) * 2.0f);
            if (y >= 3 && y <= 5) c = Mix(c, Col(255, 255, 236), 0.35f);
            if (y >= 12) c = Shade(c, 0.78f);
            img.Set(x, y, c);
        }
    return img;
}

// Almond eye with an amber iris, the symbol for "being watched".
void PaintEye(Image& img, int ox, int oy)
{
    const char* rows[9] = {"....ooooo....", "..oowwwwwoo..", ".owwwaaawwwo.",
                           "owwwahppawwwo", "owwwapppawwwo", "owwwapppawwwo",
                           ".owwwaaawwwo.", "..oowwwwwoo..", "....ooooo...."};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
        {
            Rgba c;
            switch (rows[y][x])
            {
            case 'o':
                c = Col(4, 4, 10);
                break;
            case 'w':
                c = Col(226, 228, 242);
                break;
            case 'a':
                c = Col(240, 150, 36);
                break;
            case 'p':
                c = pal::kOutline;
                break;
            case 'h':
                c = Col(255, 255, 255);
                break;
            default:
                continue;
            }
            img.Set(ox + x, oy + y, c);
        }
}

// Backing for the meter. At full size the bar belongs in the groove at
// (28, 8), 256 x 32; the eye sits to its left.
Image DetectionFrame()
{
    Image img(144, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 144; ++x)
        {
            if (!InPill(x, y, 144, 24)) continue;
            const bool rim = !InPill(x - 1, y, 144, 24) || !InPill(x + 1, y, 144, 24) ||
                             !InPill(x, y - 1, 144, 24) || !InPill(x, y + 1, 144, 24);
            Rgba c = rim ? Col(112, 118, 156) : Col(26, 24, 46, 235);
            if (!rim && y == 1) c = Col(64, 66, 100, 235);
            img.Set(x, y, c);
        }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 128; ++x)
            if (InPill(x, y, 128, 16))
                img.Set(14 + x, 4 + y, y == 0 ? Col(4, 4, 10) : Col(10, 8, 20));
    PaintEye(img, 1, 8);
    return img;
}

} // namespace

bool MakeHudArt(const std::string& texDir)
{
    return SaveArt(Health(3), texDir, "HealthThree") && SaveArt(Health(2), texDir, "HealthTwo") &&
           SaveArt(Health(1), texDir, "HealthOne") &&
           SaveArt(DetectionBar(), texDir, "DetectionBar") &&
           SaveArt(DetectionFrame(), texDir, "DetectionFrame");
}
