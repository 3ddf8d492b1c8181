#include "art/TileArt.h"

#include "kit/Image.h"
#include "kit/Palette.h"
#include "kit/Rng.h"

#include <cmath>
#include <cstdlib>

namespace
{

constexpr int kT = 32;      // art pixels per tile
constexpr int kUpscale = 2; // shipped at 64 x 64

bool Save(const Image& img, const std::string& dir, const char* name)
{
    return img.Upscaled(kUpscale).SavePng(dir + "/" + name + ".png");
}

// Speckled aggregate, the same everywhere so neighbouring tiles join up.
Rgba Aggregate(int x, int y, Rgba base, std::uint32_t seed)
{
    const float n = HashUnit(x, y, seed);
    if (n > 0.93f) return Shade(base, 1.35f);
    if (n < 0.08f) return Shade(base, 0.7f);
    return Shade(base, 0.94f + 0.12f * HashUnit(x / 3, y / 2, seed + 7));
}

void PaintFill(Image& img, int fromRow)
{
    const Rgba base = Col(44, 42, 60);
    for (int y = fromRow; y < kT; ++y)
        for (int x = 0; x < kT; ++x) img.Set(x, y, Aggregate(x, y, base, 11));
    // A few embedded stones.
    const int stones[3][2] = {{6, 22}, {21, 14}, {26, 27}};
    for (const auto& s : stones)
    {
        if (s[1] < fromRow + 2) continue;
        img.FillRect(s[0], s[1], 3, 2, Col(62, 60, 80));
        img.Set(s[0], s[1], Col(84, 82, 104));
        img.FillRect(s[0], s[1] + 2, 3, 1, Col(30, 28, 42));
    }
}

Image GroundFill()
{
    Image img(kT, kT);
    PaintFill(img, 0);
    return img;
}

Image GroundTop()
{
    Image img(kT, kT);
    PaintFill(img, 0);
    const Rgba slab = Col(78, 80, 106);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < kT; ++x) img.Set(x, y, Aggregate(x, y, slab, 23));
    img.FillRect(0, 0, kT, 1, Col(168, 176, 208)); // moonlit edge
    img.FillRect(0, 1, kT, 2, Col(112, 116, 146));
    img.FillRect(0, 10, kT, 1, Col(30, 28, 44));
    img.FillRect(0, 11, kT, 1, Col(36, 34, 50));
    // Slab joint and a hairline crack.
    img.FillRect(kT - 1, 1, 1, 9, Col(40, 40, 58));
    img.FillRect(0, 1, 1, 9, Col(100, 104, 132));
    img.Line(11, 3, 13, 6, Col(52, 52, 72));
    img.Line(13, 6, 12, 9, Col(52, 52, 72));
    return img;
}

void Bolt(Image& img, int x, int y)
{
    img.Set(x, y, Col(150, 156, 180));
    img.Set(x + 1, y, Col(112, 116, 140));
    img.Set(x, y + 1, Col(96, 100, 124));
    img.Set(x + 1, y + 1, Col(34, 34, 50));
}

Image Wall()
{
    Image img(kT, kT);
    const Rgba base = Col(66, 70, 96);
    for (int y = 0; y < kT; ++y)
        for (int x = 0; x < kT; ++x)
        {
            Rgba c = Aggregate(x, y, base, 31);
            // Faint rain streaks.
            if (HashUnit(x, 0, 37) > 0.8f && y > 4) c = Shade(c, 0.9f);
            img.Set(x, y, c);
        }
    img.FillRect(0, 0, kT, 1, Col(118, 124, 158));
    img.FillRect(0, 0, 1, kT, Col(98, 104, 136));
    img.FillRect(0, kT - 2, kT, 1, Col(42, 44, 62));
    img.FillRect(kT - 2, 0, 1, kT, Col(42, 44, 62));
    img.FillRect(0, kT - 1, kT, 1, Col(26, 26, 40));
    img.FillRect(kT - 1, 0, 1, kT, Col(26, 26, 40));
    img.FillRect(2, 15, kT - 4, 1, Col(52, 56, 78)); // panel groove
    img.FillRect(2, 16, kT - 4, 1, Col(88, 94, 124));
    Bolt(img, 3, 3);
    Bolt(img, kT - 6, 3);
    Bolt(img, 3, kT - 6);
    Bolt(img, kT - 6, kT - 6);
    return img;
}

Image Platform()
{
    Image img(kT, kT);
    const Rgba steel = Col(78, 86, 112), dark = Col(40, 44, 62), lit = Col(120, 128, 158);
    // Truss between the deck and the bottom flange.
    for (int i = 0; i < 3; ++i)
    {
        img.Line(2 + i, 8, kT - 4 + i, 27, steel);
        img.Line(kT - 4 + i, 8, 2 + i, 27, i == 0 ? lit : steel);
    }
    img.FillRect(0, 8, 3, 20, steel);
    img.FillRect(0, 8, 1, 20, lit);
    img.FillRect(kT - 3, 8, 3, 20, Shade(steel, 0.8f));
    img.Outline(pal::kOutline);
    // Deck plate with a tread pattern.
    img.FillRect(0, 0, kT, 7, Col(92, 100, 128));
    for (int y = 2; y < 6; y += 2)
        for (int x = (y / 2) % 2 * 2; x < kT; x += 4)
        {
            img.Set(x, y, Col(136, 144, 176));
            img.Set(x + 1, y, Col(60, 64, 86));
        }
    img.FillRect(0, 0, kT, 1, Col(184, 192, 222));
    img.FillRect(0, 1, kT, 1, Col(132, 140, 170));
    img.FillRect(0, 7, kT, 1, dark);
    // Bottom flange.
    img.FillRect(0, 28, kT, 4, steel);
    img.FillRect(0, 28, kT, 1, lit);
    img.FillRect(0, 31, kT, 1, Col(30, 32, 46));
    return img;
}

Image Ceiling()
{
    Image img = Wall();
    img.FillRect(0, 20, kT, 5, Col(96, 100, 126));
    img.FillRect(0, 20, kT, 1, Col(150, 156, 186));
    img.FillRect(0, 24, kT, 1, Col(44, 46, 64));
    for (int x = 2; x < kT; x += 8) Bolt(img, x, 21);
    // Low-clearance warning stripes along the underside.
    for (int y = 25; y < kT; ++y)
        for (int x = 0; x < kT; ++x)
            img.Set(x, y, ((x + y) / 4) % 2 ? pal::kHazardYellow : pal::kHazardBlack);
    img.FillRect(0, 25, kT, 1, Col(150, 112, 30));
    img.FillRect(0, kT - 1, kT, 1, Col(20, 16, 24));
    return img;
}

Image Crate()
{
    Image img(kT, kT);
    const Rgba wood = Col(112, 78, 50);
    for (int y = 0; y < kT; ++y)
        for (int x = 0; x < kT; ++x)
        {
            const Rgba grain = Shade(wood, 0.9f + 0.18f * HashUnit(x / 5, y, 41));
            img.Set(x, y, (y % 8 == 7) ? Col(58, 38, 26) : grain);
        }
    for (int i = 0; i < 3; ++i)
        img.Line(3, 27 + i - 1, 27 + i, 3, Col(136, 98, 62)); // diagonal brace
    img.Line(4, 28, 28, 4, Col(72, 48, 30));
    const Rgba band = Col(84, 90, 110), bandLit = Col(140, 148, 172);
    img.FillRect(0, 0, kT, 3, band);
    img.FillRect(0, kT - 3, kT, 3, band);
    img.FillRect(0, 0, 3, kT, band);
    img.FillRect(kT - 3, 0, 3, kT, band);
    img.FillRect(0, 0, kT, 1, bandLit);
    img.FillRect(0, 0, 1, kT, bandLit);
    img.FillRect(0, kT - 1, kT, 1, Col(30, 30, 44));
    img.FillRect(kT - 1, 0, 1, kT, Col(30, 30, 44));
    for (int p : {1, kT - 3})
        for (int q : {1, kT - 3}) img.Set(p + 1, q, Col(196, 200, 220));
    return img;
}

// Hanging lamp: a warm bulb under a shade, hung from the tile above.
Image Lamp()
{
    Image img(kT, kT);
    img.Glow(16.0f, 17.0f, 16.0f, pal::kLamp, 0.55f);
    for (int y = 18; y < kT; ++y)
    { // faint cone of light
        const float half = 3.0f + (y - 18) * 0.8f;
        for (int x = 0; x < kT; ++x)
            if (std::fabs(x + 0.5f - 16.0f) < half)
                img.Blend(x, y, pal::kLamp, 0.10f * (1.0f - (y - 18) / 14.0f));
    }
    Image solid(kT, kT);
    solid.FillRect(15, 0, 2, 9, Col(58, 60, 74));
    solid.Set(15, 0, Col(90, 94, 110));
    for (int y = 9; y < 15; ++y)
    {
        const int half = 2 + (y - 9);
        solid.FillRect(16 - half, y, half * 2, 1, y == 9 ? Col(120, 128, 112) : Col(62, 74, 64));
        solid.Set(16 - half, y, Col(96, 110, 96));
    }
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    img.FillRect(12, 15, 8, 2, pal::kLamp);
    img.FillRect(13, 15, 6, 2, pal::kLampCore);
    img.FillRect(14, 17, 4, 1, pal::kLamp);
    return img;
}

Image Pipe()
{
    Image img(kT, kT);
    const Rgba bands[10] = {Col(34, 52, 58),   Col(104, 148, 150), Col(92, 134, 138),
                            Col(80, 120, 124), Col(70, 106, 112),  Col(62, 96, 102),
                            Col(56, 86, 92),   Col(48, 74, 80),    Col(40, 62, 68),
                            Col(28, 42, 48)};
    for (int i = 0; i < 10; ++i) img.FillRect(0, 11 + i, kT, 1, bands[i]);
    // Small conduit running above.
    img.FillRect(0, 6, kT, 1, Col(160, 96, 60));
    img.FillRect(0, 7, kT, 1, Col(110, 60, 40));
    img.Set(20, 8, Col(110, 60, 40));
    img.FillRect(19, 8, 3, 3, Col(70, 70, 84)); // clip holding it to the pipe
    // Flange ring with bolts at the joint.
    img.FillRect(0, 9, 4, 14, Col(84, 122, 126));
    img.FillRect(0, 9, 4, 1, Col(140, 180, 180));
    img.FillRect(3, 9, 1, 14, Col(36, 54, 60));
    img.Set(1, 11, Col(200, 210, 214));
    img.Set(1, 20, Col(200, 210, 214));
    img.Outline(pal::kOutline);
    return img;
}

Image Sign()
{
    Image img(kT, kT);
    img.FillRect(15, 18, 2, 12, Col(96, 100, 118));
    img.FillRect(15, 18, 1, 12, Col(140, 146, 168));
    img.FillRect(12, 29, 8, 3, Col(70, 72, 88));
    img.FillRect(12, 29, 8, 1, Col(120, 124, 144));
    // Warning triangle.
    for (int y = 2; y < 21; ++y)
    {
        const float half = (y - 2) * 0.68f + 0.6f;
        for (int x = 0; x < kT; ++x)
        {
            const float d = std::fabs(x + 0.5f - 16.0f);
            if (d <= half)
                img.Set(x, y, (d > half - 1.5f || y > 19) ? pal::kHazardBlack : pal::kHazardYellow);
        }
    }
    img.FillRect(15, 8, 2, 6, pal::kHazardBlack);
    img.FillRect(15, 15, 2, 2, pal::kHazardBlack);
    img.Set(13, 7, Col(255, 236, 150));
    img.Outline(pal::kOutline);
    return img;
}

Image Vent()
{
    Image img(kT, kT);
    const Rgba body = Col(92, 100, 122);
    img.FillRect(3, 15, 26, 17, body);
    img.FillRect(3, 15, 1, 17, Col(130, 138, 162));
    img.FillRect(27, 15, 2, 17, Col(62, 66, 86));
    for (int y = 18; y < 30; y += 3)
    {
        img.FillRect(6, y, 19, 1, Col(36, 38, 54));
        img.FillRect(6, y + 1, 19, 1, Col(120, 128, 150));
    }
    img.FillRect(1, 12, 30, 3, Col(110, 118, 142)); // rain cap
    img.FillRect(1, 12, 30, 1, Col(170, 178, 204));
    img.FillRect(14, 8, 4, 4, Col(78, 84, 104)); // exhaust stub
    img.FillRect(14, 8, 4, 1, Col(140, 146, 170));
    img.Outline(pal::kOutline);
    return img;
}

// Wall panel with a window; `lit` windows glow warm, the others show a dim room.
Image WallWindow(bool lit)
{
    Image img = Wall();
    img.FillRect(7, 5, 18, 20, Col(30, 30, 44));
    img.FillRect(8, 6, 16, 18, lit ? pal::kLamp : Col(40, 44, 78));
    if (lit)
    {
        img.FillRect(8, 6, 16, 6, pal::kLampCore);
        img.FillRect(10, 14, 5, 10, Col(170, 110, 60)); // someone's silhouette at a desk
    }
    else
    {
        img.Line(10, 22, 21, 8, Col(70, 76, 120));
        img.Line(12, 22, 22, 10, Col(56, 62, 100));
    }
    img.FillRect(15, 6, 2, 18, Col(30, 30, 44));    // mullion
    img.FillRect(6, 24, 20, 2, Col(120, 126, 156)); // sill
    return img;
}

Image WallGrate()
{
    Image img = Wall();
    img.FillRect(6, 8, 20, 16, Col(24, 24, 36));
    for (int y = 9; y < 23; y += 3)
    {
        img.FillRect(7, y, 18, 1, Col(110, 116, 146));
        img.FillRect(7, y + 1, 18, 1, Col(60, 64, 88));
    }
    img.FillRect(6, 8, 20, 1, Col(40, 42, 58));
    return img;
}

// Inside of the crawl duct: dark ribbed metal seen through the opening.
Image Duct()
{
    Image img(kT, kT);
    for (int y = 0; y < kT; ++y)
        for (int x = 0; x < kT; ++x)
        {
            const float v = 0.7f + 0.3f * std::sin(y / 31.0f * 3.14159f);
            img.Set(x, y, Shade(Col(44, 46, 66), v));
        }
    for (int x = 3; x < kT; x += 16)
    {
        img.FillRect(x, 0, 3, kT, Col(58, 62, 86));
        img.FillRect(x, 0, 1, kT, Col(80, 86, 114));
        img.FillRect(x + 3, 0, 1, kT, Col(26, 26, 38));
    }
    img.FillRect(0, kT - 3, kT, 3, Col(30, 30, 44));
    return img;
}

// Tiny 3 x 5 letters for the exit sign.
void Letter(Image& img, int x, int y, const char* rows, Rgba c)
{
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 3; ++i)
            if (rows[j * 3 + i] == '#') img.Set(x + i, y + j, c);
}

Image ExitSign()
{
    Image img(kT, kT);
    img.Glow(16.0f, 12.0f, 16.0f, Col(80, 255, 150), 0.35f);
    Image solid(kT, kT);
    solid.FillRect(8, 0, 1, 6, Col(70, 72, 86));
    solid.FillRect(23, 0, 1, 6, Col(70, 72, 86));
    solid.FillRect(4, 6, 24, 12, Col(30, 120, 70));
    solid.FillRect(5, 7, 22, 10, Col(44, 186, 104));
    solid.FillRect(5, 7, 22, 1, Col(120, 240, 170));
    solid.Outline(pal::kOutline);
    img.Paste(solid, 0, 0);
    const Rgba w = Col(240, 255, 244);
    Letter(img, 8, 10, "#####.##.#..###", w);
    Letter(img, 12, 10, "#.##.#.#.#.##.#", w);
    Letter(img, 16, 10, "###.#..#..#.###", w);
    Letter(img, 20, 10, "###.#..#..#..#.", w);
    return img;
}

} // namespace

bool MakeTileArt(const std::string& dir)
{
    return Save(GroundTop(), dir, "TileGround") && Save(GroundFill(), dir, "TileGroundFill") &&
           Save(Wall(), dir, "TileWall") && Save(Platform(), dir, "TilePlatform") &&
           Save(Ceiling(), dir, "TileCeiling") && Save(Crate(), dir, "TileCrate") &&
           Save(Lamp(), dir, "TileLamp") && Save(Pipe(), dir, "TilePipe") &&
           Save(Sign(), dir, "TileSign") && Save(Vent(), dir, "TileVent") &&
           Save(ExitSign(), dir, "TileExitSign") && Save(WallWindow(true), dir, "TileWallWindow") &&
           Save(WallWindow(false), dir, "TileWallWindowDark") &&
           Save(WallGrate(), dir, "TileWallGrate") && Save(Duct(), dir, "TileDuct");
}
