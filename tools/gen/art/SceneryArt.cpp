#include "art/SceneryArt.h"

#include "kit/Image.h"
#include "kit/Palette.h"
#include "kit/Rng.h"

#include <algorithm>
#include <cmath>

namespace
{

Rgba SkyAt(float v)
{
    // v = 0 at the top of the image, 1 at the bottom.
    const Rgba top = Col(8, 7, 24), mid = Col(22, 18, 56), low = Col(54, 34, 88),
               glow = Col(96, 52, 102);
    if (v < 0.45f) return Mix(top, mid, v / 0.45f);
    if (v < 0.75f) return Mix(mid, low, (v - 0.45f) / 0.3f);
    return Mix(low, glow, std::min(1.0f, (v - 0.75f) / 0.25f));
}

void PaintSky(Image& img)
{
    const int w = img.Width(), h = img.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            Rgba c = SkyAt(static_cast<float>(y) / static_cast<float>(h));
            const float n = HashUnit(x, y, 5) - 0.5f; // dither so the gradient never bands
            c = Col(c.r + static_cast<int>(std::lround(n * 2.0f)),
                    c.g + static_cast<int>(std::lround(n * 2.0f)),
                    c.b + static_cast<int>(std::lround(n * 3.0f)));
            img.Set(x, y, c);
        }
}

void PaintStars(Image& img, int count, float maxV, std::uint32_t seed)
{
    Rng rng(seed);
    for (int i = 0; i < count; ++i)
    {
        const int x = rng.Int(0, img.Width() - 1);
        const int y = static_cast<int>(rng.Unit() * rng.Unit() * maxV * img.Height());
        const float b = rng.Range(0.35f, 1.0f);
        const Rgba c = rng.Unit() < 0.2f ? Col(255, 226, 190) : Col(210, 220, 255);
        img.Blend(x, y, c, b);
        if (b > 0.85f)
        {
            for (auto d : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                img.Blend(x + d.first, y + d.second, c, 0.35f);
        }
    }
}

void PaintMoon(Image& img, float cx, float cy, float r)
{
    img.Glow(cx, cy, r * 4.0f, Col(150, 150, 220), 0.22f);
    img.Glow(cx, cy, r * 1.8f, Col(220, 220, 255), 0.25f);
    img.FillCircle(cx, cy, r, Col(226, 228, 246));
    const float craters[4][3] = {
        {-0.3f, -0.2f, 0.22f}, {0.35f, 0.25f, 0.16f}, {0.1f, 0.5f, 0.12f}, {-0.4f, 0.4f, 0.1f}};
    for (const auto& c : craters)
        img.FillCircle(cx + c[0] * r, cy + c[1] * r, c[2] * r, Col(200, 200, 226));
    // Shadowed limb gives the moon a little roundness.
    for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y)
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x)
        {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float d = std::sqrt(dx * dx + dy * dy) / r;
            if (d <= 1.0f && dx + dy > 0)
                img.Blend(x, y, Col(150, 150, 200), 0.35f * d * (dx + dy) / (r * 1.4f));
        }
}

void PaintCloud(Image& img, float cx, float cy, float len, std::uint32_t seed)
{
    Rng rng(seed);
    for (int i = 0; i < 14; ++i)
    {
        const float x = cx + rng.Range(-len, len), y = cy + rng.Range(-6.0f, 6.0f);
        img.Glow(x, y, rng.Range(18.0f, 34.0f), Col(44, 30, 74), 0.45f);
    }
}

// Blocky silhouettes with a scatter of lit windows.
void PaintBuildings(Image& img, int baseY, int minH, int maxH, Rgba body, float lit, int win,
                    std::uint32_t seed)
{
    Rng rng(seed);
    int x = -rng.Int(0, 20);
    while (x < img.Width())
    {
        const int bw = rng.Int(win * 6, win * 18), bh = rng.Int(minH, maxH);
        const int top = baseY - bh;
        img.FillRect(x, top, bw, baseY - top + 1, body);
        img.FillRect(x, top, bw, 1, Mix(body, Col(120, 120, 180), 0.35f));
        if (rng.Unit() < 0.4f)
        { // antenna with a red light
            const int ax = x + rng.Int(2, std::max(3, bw - 3));
            const int ah = rng.Int(win * 2, win * 6);
            img.FillRect(ax, top - ah, std::max(1, win / 3), ah, body);
            img.Glow(ax + 0.5f, top - ah + 0.5f, win * 1.5f + 1.0f, Col(255, 60, 60), 0.8f);
        }
        for (int wy = top + win; wy < baseY - win; wy += win * 2)
            for (int wx = x + win; wx < x + bw - win; wx += win * 2)
                if (rng.Unit() < lit)
                {
                    const Rgba c = rng.Unit() < 0.75f ? Col(222, 168, 90) : Col(140, 180, 220);
                    img.BlendRect(wx, wy, win, std::max(1, win * 3 / 2), Rgba{c.r, c.g, c.b, 200});
                }
        x += bw + rng.Int(0, win * 4);
    }
}

Image Background()
{
    Image img(1024, 512);
    PaintSky(img);
    PaintStars(img, 260, 0.75f, 99);
    PaintMoon(img, 262.0f, 226.0f, 17.0f);
    PaintCloud(img, 330.0f, 244.0f, 70.0f, 3);
    PaintCloud(img, 760.0f, 150.0f, 110.0f, 4);
    // Searchlights sweeping up from the distant compound.
    for (const auto& beam : {std::pair<float, float>{640.0f, -0.35f}, {700.0f, 0.22f}})
    {
        for (int y = 120; y < 330; ++y)
        {
            const float t = (330.0f - y) / 210.0f;
            const float cx = beam.first + beam.second * (330.0f - y);
            const float half = 3.0f + t * 22.0f;
            for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x)
            {
                const float edge = 1.0f - std::fabs(x - cx) / half;
                img.Blend(x, y, Col(200, 210, 255), 0.10f * edge * (1.0f - t));
            }
        }
    }
    // Distant city, hazed towards the sky colour so the nearer skyline stands out.
    PaintBuildings(img, 512, 150, 250, Col(50, 34, 84), 0.05f, 2, 17);
    PaintBuildings(img, 512, 110, 190, Col(40, 28, 72), 0.08f, 2, 18);
    return img;
}

// Closer skyline for the back layer: 32 x 8 units at 32 px per unit.
Image Skyline()
{
    Image img(1024, 256);
    PaintBuildings(img, 255, 90, 200, Col(26, 24, 52), 0.22f, 4, 42);
    PaintBuildings(img, 255, 40, 130, Col(18, 17, 38), 0.28f, 4, 43);
    return img;
}

// Chain-link fence topped with wire: 8 x 2 units.
Image Fence()
{
    Image img(256, 64);
    const Rgba wire = Col(88, 94, 126, 170);
    for (int y = 10; y < 62; ++y)
        for (int x = 0; x < 256; ++x)
            if ((x + y) % 7 == 0 || (x - y + 700) % 7 == 0) img.Blend(x, y, wire);
    for (int x = 0; x < 256; x += 4) // barbed wire zigzag
        img.Line(x, 2 + (x / 4) % 2 * 3, x + 4, 2 + (x / 4 + 1) % 2 * 3, Col(120, 126, 156));
    Image solid(256, 64);
    solid.FillRect(0, 8, 256, 2, Col(104, 110, 140));
    solid.FillRect(0, 8, 256, 1, Col(150, 156, 190));
    for (int px = 6; px < 256; px += 64)
    {
        solid.FillRect(px, 1, 4, 63, Col(84, 90, 118));
        solid.FillRect(px, 1, 1, 63, Col(140, 146, 178));
    }
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    return img.Upscaled(2);
}

// Street lamp, 1 x 4 units, head reaching to the right.
Image LampPost()
{
    Image img(32, 128);
    img.Glow(22.0f, 28.0f, 14.0f, pal::kLamp, 0.7f);
    Image solid(32, 128);
    solid.FillRect(8, 20, 4, 104, Col(60, 64, 84));
    solid.FillRect(8, 20, 1, 104, Col(110, 116, 144));
    solid.FillRect(5, 120, 10, 7, Col(70, 74, 96));
    solid.FillRect(5, 120, 10, 1, Col(120, 126, 156));
    solid.FillRect(8, 18, 16, 3, Col(70, 74, 96));
    solid.FillRect(8, 18, 16, 1, Col(120, 126, 156));
    solid.FillRect(16, 21, 12, 4, Col(50, 54, 72));
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    img.FillRect(17, 25, 10, 2, pal::kLamp);
    img.FillRect(18, 25, 8, 1, pal::kLampCore);
    return img.Upscaled(2);
}

// Soft pool of lamp light drawn in front of the play layer, 4 x 4 units.
Image LampGlow()
{
    Image img(128, 128);
    for (int y = 0; y < 128; ++y)
    {
        const float t = y / 127.0f;
        const float half = 6.0f + t * 58.0f;
        for (int x = 0; x < 128; ++x)
        {
            const float d = std::fabs(x + 0.5f - 64.0f) / half;
            if (d < 1.0f) img.Blend(x, y, pal::kLamp, 0.16f * (1.0f - d * d) * (1.0f - 0.5f * t));
        }
    }
    for (int y = 112; y < 128; ++y) // bright pool on the ground
        for (int x = 0; x < 128; ++x)
        {
            const float dx = (x + 0.5f - 64.0f) / 56.0f, dy = (y + 0.5f - 124.0f) / 8.0f;
            const float d = dx * dx + dy * dy;
            if (d < 1.0f) img.Blend(x, y, pal::kLamp, 0.18f * (1.0f - d));
        }
    return img;
}

// Steel door in a concrete frame, 2 x 3 units.
Image ExitDoor()
{
    Image img(64, 96);
    img.FillRect(0, 0, 64, 96, Col(58, 62, 86));
    img.FillRect(0, 0, 64, 2, Col(110, 116, 150));
    img.FillRect(8, 10, 48, 86, Col(30, 30, 44));
    img.FillRect(10, 12, 44, 84, Col(74, 88, 100));
    img.FillRect(10, 12, 44, 1, Col(128, 144, 156));
    img.FillRect(10, 12, 1, 84, Col(110, 124, 136));
    img.FillRect(52, 12, 2, 84, Col(46, 56, 66));
    img.FillRect(22, 20, 20, 14, Col(30, 30, 44)); // window
    img.FillRect(24, 22, 16, 10, pal::kLamp);
    img.FillRect(24, 22, 16, 3, pal::kLampCore);
    img.FillRect(14, 56, 36, 4, Col(150, 156, 176)); // push bar
    img.FillRect(14, 59, 36, 1, Col(40, 44, 58));
    img.FillRect(14, 70, 36, 1, Col(58, 70, 82));
    img.FillRect(14, 82, 36, 1, Col(58, 70, 82));
    img.Outline(pal::kOutline);
    return img.Upscaled(2);
}

Image Crosshair()
{
    Image img(64, 64);
    auto ring = [&](float r, float th, Rgba c)
    {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                const float d = std::hypot(x + 0.5f - 32.0f, y + 0.5f - 32.0f);
                const float cover = std::clamp(th * 0.5f - std::fabs(d - r) + 0.5f, 0.0f, 1.0f);
                img.Blend(x, y, c, cover);
            }
    };
    ring(21.0f, 6.0f, pal::kOutline);
    ring(21.0f, 3.0f, Col(255, 214, 120));
    for (int k = 0; k < 4; ++k)
    {
        const int dx = (k == 0) - (k == 1), dy = (k == 2) - (k == 3);
        for (int i = 12; i < 30; ++i)
            for (int s = -2; s <= 2; ++s)
            {
                const int x = 32 + dx * i + (dx == 0 ? s : 0) - (dx < 0),
                          y = 32 + dy * i + (dy == 0 ? s : 0) - (dy < 0);
                const bool core = s >= -1 && s <= 0 && i > 13 && i < 29;
                img.Blend(x, y, core ? Col(255, 236, 180) : pal::kOutline);
            }
    }
    img.FillRect(30, 30, 4, 4, pal::kOutline);
    img.FillRect(31, 31, 2, 2, Col(255, 90, 70));
    return img;
}

} // namespace

bool MakeSceneryArt(const std::string& dir)
{
    return Background().SavePng(dir + "/Background.png") &&
           Skyline().SavePng(dir + "/Skyline.png") && Fence().SavePng(dir + "/BackFence.png") &&
           LampPost().SavePng(dir + "/LampPost.png") && LampGlow().SavePng(dir + "/LampGlow.png") &&
           ExitDoor().SavePng(dir + "/ExitDoor.png") && Crosshair().SavePng(dir + "/Crosshair.png");
}
