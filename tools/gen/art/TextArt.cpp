#include "art/TextArt.h"

#include "kit/Image.h"
#include "kit/Palette.h"

#include <cstring>
#include <vector>

namespace
{

struct Glyph
{
    char ch;
    int w, h;
    const char* rows; // w * h cells, '#' set
};

// Chunky letters for the logo, 7 x 9.
const Glyph kLogo[] = {
    {'B', 7, 9,
     "######."
     "##...##"
     "##...##"
     "##...##"
     "######."
     "##...##"
     "##...##"
     "##...##"
     "######."},
    {'E', 7, 9,
     "#######"
     "##....."
     "##....."
     "##....."
     "######."
     "##....."
     "##....."
     "##....."
     "#######"},
    {'L', 7, 9,
     "##....."
     "##....."
     "##....."
     "##....."
     "##....."
     "##....."
     "##....."
     "##....."
     "#######"},
    {'R', 7, 9,
     "######."
     "##...##"
     "##...##"
     "##...##"
     "######."
     "##.##.."
     "##..##."
     "##...##"
     "##...##"},
    {'U', 7, 9,
     "##...##"
     "##...##"
     "##...##"
     "##...##"
     "##...##"
     "##...##"
     "##...##"
     "##...##"
     ".#####."},
    {'N', 7, 9,
     "##...##"
     "###..##"
     "####.##"
     "##.####"
     "##..###"
     "##...##"
     "##...##"
     "##...##"
     "##...##"},
};

// Small letters for hints, 5 x 7.
const Glyph kSmall[] = {
    {'A', 5, 7,
     ".###."
     "#...#"
     "#...#"
     "#####"
     "#...#"
     "#...#"
     "#...#"},
    {'E', 5, 7,
     "#####"
     "#...."
     "#...."
     "####."
     "#...."
     "#...."
     "#####"},
    {'L', 5, 7,
     "#...."
     "#...."
     "#...."
     "#...."
     "#...."
     "#...."
     "#####"},
    {'O', 5, 7,
     ".###."
     "#...#"
     "#...#"
     "#...#"
     "#...#"
     "#...#"
     ".###."},
    {'P', 5, 7,
     "####."
     "#...#"
     "#...#"
     "####."
     "#...."
     "#...."
     "#...."},
    {'R', 5, 7,
     "####."
     "#...#"
     "#...#"
     "####."
     "#.#.."
     "#..#."
     "#...#"},
    {'S', 5, 7,
     ".####"
     "#...."
     "#...."
     ".###."
     "....#"
     "....#"
     "####."},
    {'T', 5, 7,
     "#####"
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."
     "..#.."},
};

const Glyph* Find(const Glyph* set, size_t n, char c)
{
    for (size_t i = 0; i < n; ++i)
        if (set[i].ch == c) return &set[i];
    return nullptr;
}

bool Cell(const Glyph& g, int x, int y)
{
    if (x < 0 || y < 0 || x >= g.w || y >= g.h) return false;
    const size_t i = static_cast<size_t>(y * g.w + x);
    return i < std::strlen(g.rows) && g.rows[i] == '#';
}

// Marks the text's cells on a mask, `block` pixels per glyph cell.
std::vector<std::vector<bool>> TextMask(const char* text, const Glyph* set, size_t n, int block,
                                        int w, int h, int ox, int oy)
{
    std::vector<std::vector<bool>> mask(static_cast<size_t>(h),
                                        std::vector<bool>(static_cast<size_t>(w), false));
    int pen = ox;
    for (const char* p = text; *p; ++p)
    {
        const Glyph* g = Find(set, n, *p);
        if (!g)
        {
            pen += 4 * block;
            continue;
        }
        for (int y = 0; y < g->h * block; ++y)
            for (int x = 0; x < g->w * block; ++x)
                if (Cell(*g, x / block, y / block) && oy + y < h && pen + x < w)
                    mask[static_cast<size_t>(oy + y)][static_cast<size_t>(pen + x)] = true;
        pen += (g->w + 1) * block + (block > 1 ? block : 0);
    }
    return mask;
}

int TextWidth(const char* text, const Glyph* set, size_t n, int block)
{
    int w = 0;
    for (const char* p = text; *p; ++p)
    {
        const Glyph* g = Find(set, n, *p);
        w += g ? (g->w + 1) * block + (block > 1 ? block : 0) : 4 * block;
    }
    return w - block - (block > 1 ? block : 0);
}

Image Logo()
{
    const int w = 512, h = 128, block = 7, top = 28;
    const int tw = TextWidth("BELLRUN", kLogo, 6, block);
    const auto mask = TextMask("BELLRUN", kLogo, 6, block, w, h, (w - tw) / 2 - 3, top);
    auto on = [&](int x, int y)
    {
        return x >= 0 && y >= 0 && x < w && y < h &&
               mask[static_cast<size_t>(y)][static_cast<size_t>(x)];
    };
    Image img(w, h);
    for (int x = 40; x < w - 40; x += 12) // soft violet haze behind the letters
        img.Glow(static_cast<float>(x), 60.0f, 48.0f, Col(120, 70, 200), 0.07f);
    for (int d = 6; d >= 1; --d) // extruded shadow
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (on(x - d, y - d)) img.Set(x, y, d >= 5 ? pal::kOutline : Col(58, 30, 92));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            if (!on(x, y)) continue;
            const float t = static_cast<float>(y - top) / (9.0f * block);
            Rgba c = t < 0.5f ? Mix(pal::kLampCore, pal::kLamp, t * 2.0f)
                              : Mix(pal::kLamp, pal::kLampDeep, t * 2.0f - 1.0f);
            if (!on(x, y - 1) || !on(x, y - 2))
                c = Col(255, 252, 230);
            else if (!on(x, y + 1) || !on(x, y + 2) || !on(x + 1, y) || !on(x + 2, y))
                c = Shade(c, 0.78f);
            img.Set(x, y, c);
        }
    img.Outline(pal::kOutline);
    img.Outline(pal::kOutline);
    return img.Upscaled(2);
}

Image Hint()
{
    const int w = 128, h = 16;
    const char* text = "PRESS L TO START";
    const int tw = TextWidth(text, kSmall, 8, 1);
    const int ox = (w - tw) / 2;
    const auto mask = TextMask(text, kSmall, 8, 1, w, h, ox, 4);
    Image img(w, h);
    img.BlendRect(ox - 6, 1, tw + 12, 14, Col(10, 8, 24, 170)); // backing plate keeps it readable
    img.BlendRect(ox - 5, 0, tw + 10, 1, Col(10, 8, 24, 170));
    img.BlendRect(ox - 5, 15, tw + 10, 1, Col(10, 8, 24, 170));
    Image letters(w, h);
    const int lx = ox + TextWidth("PRESS ", kSmall, 8, 1) + 2; // the key letter gets a keycap
    letters.FillRect(lx - 2, 2, 9, 11, Col(60, 52, 100));
    letters.FillRect(lx - 2, 2, 9, 1, Col(120, 110, 170));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[static_cast<size_t>(y)][static_cast<size_t>(x)])
                letters.Set(x, y, (x >= lx - 1 && x < lx + 6) ? pal::kLamp : Col(226, 228, 255));
    letters.Outline(pal::kOutline);
    img.Paste(letters, 0, 0);
    return img.Upscaled(4);
}

} // namespace

bool MakeTextArt(const std::string& dir)
{
    return Logo().SavePng(dir + "/BellrunTitle.png") && Hint().SavePng(dir + "/PressStart.png");
}
