#include "art/MenuArt.h"

#include "data/MenuLayout.h"
#include "data/MenuText.h"
#include "kit/Image.h"
#include "kit/Palette.h"
#include "kit/Rng.h"
#include "sound/MenuSounds.h"

#include <cmath>
#include <cstdio>

namespace
{
const Rgba kScreen = Col(206, 222, 228);
const Rgba kScreenLow = Col(180, 200, 212);
const Rgba kInk = Col(24, 28, 64);
const Rgba kSteel = Col(58, 60, 80);

// The night behind every menu: sky, a skyline with lit windows, a fence on the asphalt.
Image NightBackdrop(std::uint32_t seed)
{
    const int w = kMenuW / 2, h = kMenuH / 2;
    Image img(w, h);
    Rng rng(seed);
    for (int y = 0; y < h; ++y)
        img.FillRect(0, y, w, 1, Mix(Col(12, 9, 30), Col(44, 28, 76), static_cast<float>(y) / h));
    for (int i = 0; i < 90; ++i)
        img.Set(rng.Int(0, w - 1), rng.Int(0, 200), Col(200, 200, 240, rng.Int(90, 220)));
    for (int x = -10; x < w;)
    {
        const int bw = rng.Int(24, 60), bh = rng.Int(60, 190), top = 300 - bh;
        img.FillRect(x, top, bw - 2, bh, Col(20, 16, 42));
        for (int wy = top + 6; wy < 292; wy += 8)
            for (int wx = x + 4; wx < x + bw - 6; wx += 6)
            {
                const int r = rng.Int(0, 9);
                if (r < 2) img.FillRect(wx, wy, 3, 4, pal::kLamp);
                if (r == 2) img.FillRect(wx, wy, 3, 4, Col(70, 96, 150));
            }
        if (rng.Int(0, 3) == 0) img.Set(x + bw / 2, top - 2, Col(230, 40, 50));
        x += bw;
    }
    img.FillRect(0, 300, w, h - 300, Col(30, 28, 40));
    img.FillRect(0, 300, w, 3, Col(96, 98, 118));
    for (int x = 8; x < w; x += 48) img.FillRect(x, 262, 2, 38, Col(110, 112, 130));
    img.FillRect(0, 264, w, 1, Col(110, 112, 130));
    for (int y = 0; y < h; ++y) // vignette keeps the eye on the panel
        for (int x = 0; x < w; ++x)
        {
            const float dx = (x - w / 2.0f) / (w / 2.0f), dy = (y - h / 2.0f) / (h / 2.0f);
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 0.6f) img.Blend(x, y, Col(4, 2, 12), std::min(0.6f, (d - 0.6f) * 0.9f));
        }
    return img.Upscaled(2);
}

void HazardStripe(Image& img, int x, int y, int w, int h)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            img.Set(x + i, y + j, ((i + j) / 10) % 2 ? pal::kHazardBlack : pal::kHazardYellow);
}

// The facility's wall terminal: a steel bezel, a hazard stripe and a pale lit screen. Dark
// labels read well on it, and the red hover colour stands out from them.
void Terminal(Image& img, PanelRect r)
{
    img.BlendRect(r.x + 12, r.y + 12, r.w, r.h, Col(0, 0, 0, 130));
    img.FillRect(r.x, r.y, r.w, r.h, kSteel);
    img.FillRect(r.x, r.y, r.w, 2, Col(110, 112, 136));
    img.FillRect(r.x, r.y + r.h - 2, r.w, 2, Col(24, 24, 36));
    HazardStripe(img, r.x + 16, r.y + 6, r.w - 32, 8);
    for (int cx : {r.x + 8, r.x + r.w - 10})
        for (int cy : {r.y + 8, r.y + r.h - 10}) img.FillRect(cx, cy, 3, 3, Col(140, 142, 160));
    const int sx = r.x + 16, sy = r.y + 20, sw = r.w - 32, sh = r.h - 36;
    img.FillRect(sx - 2, sy - 2, sw + 4, sh + 4, Col(20, 22, 34));
    for (int y = 0; y < sh; ++y)
    {
        img.FillRect(sx, sy + y, sw, 1, Mix(kScreen, kScreenLow, static_cast<float>(y) / sh));
        if (y % 4 == 3) img.BlendRect(sx, sy + y, sw, 1, Col(120, 150, 170, 40));
    }
    img.FillRect(r.x + r.w - 24, r.y + r.h - 12, 6, 4, Col(90, 230, 120));
}

Image MenuPicture(PanelRect panel, std::uint32_t seed)
{
    Image img = NightBackdrop(seed);
    Terminal(img, panel);
    return img;
}

struct Binding
{
    const char* action;
    const char* keys;
    const char* pad;
};
// Everything a player does, with what the two throws do: the picture is where a new player
// looks them up.
const Binding kBindings[] = {
    {"Walk", "A / D", "Left stick"},
    {"Jump", "Space", "Left stick up"},
    {"Crawl on / off", "Left Shift", "X"},
    {"Hide in a trash can / climb out", "W / S", "A / A again"},
    {"Ride the exit lift", "W", "A"},
    {"Aim", "Mouse", "Right stick"},
    {"ZentoBall: holds a guard a while", "Right mouse button", "RT"},
    {"EMP: blinds a camera a while", "Left mouse button", "LT"},
    {"Dialog: next line / skip all", "Enter, Space, click / Esc", "A"},
    {"Pause", "Escape", "START"},
    {"Menus", "Arrows, Enter or click", "D-pad or stick, A"},
};

void Keycap(Image& img, const TtfFont& font, const std::string& text, float x, float y)
{
    const float size = 25.0f;
    const int w = static_cast<int>(font.Width(text, size)) + 20;
    img.FillRect(static_cast<int>(x), static_cast<int>(y), w, 34, Col(44, 46, 78));
    img.FillRect(static_cast<int>(x), static_cast<int>(y), w, 3, Col(96, 98, 150));
    img.FillRect(static_cast<int>(x), static_cast<int>(y) + 31, w, 3, Col(20, 20, 40));
    font.Draw(img, text, x + 10, y + 4, size, Col(236, 236, 255));
}

Image ControlsPicture(bool pad, const TtfFont& mono)
{
    Image img = MenuPicture(kWidePanel, pad ? 71 : 72);
    const float top = 160.0f, row = 40.0f;
    mono.DrawCentred(img, pad ? "Controller" : "Keyboard and mouse", kMenuW / 2.0f, 122.0f, 30.0f,
                     Col(70, 40, 110));
    int i = 0;
    for (const Binding& b : kBindings)
    {
        const float y = top + row * i++;
        mono.Draw(img, b.action, 150.0f, y + 5.0f, 27.0f, kInk);
        Keycap(img, mono, pad ? b.pad : b.keys, 720.0f, y);
    }
    return img;
}

Image Splash(int which, const TtfFont& title, const TtfFont& mono)
{
    Image img(kMenuW, kMenuH);
    for (int y = 0; y < kMenuH; ++y)
        img.FillRect(0, y, kMenuW, 1,
                     Mix(Col(6, 4, 16), Col(30, 18, 54), static_cast<float>(y) / kMenuH));
    if (which == 0)
    {
        img.Glow(640.0f, 330.0f, 360.0f, Col(120, 70, 200), 0.25f);
        title.DrawCentred(img, "Corvane", 640.0f, 230.0f, 150.0f, pal::kLamp);
        mono.DrawCentred(img, "presents", 640.0f, 420.0f, 44.0f, Col(206, 210, 240));
    }
    else if (which == 1)
    {
        img.Glow(640.0f, 120.0f, 420.0f, pal::kLampCore, 0.22f); // a lamp far above
        for (int y = 120; y < kMenuH; ++y)
        {
            const float spread = (y - 120) * 0.55f;
            img.BlendRect(static_cast<int>(640 - spread), y, static_cast<int>(spread * 2), 1,
                          Col(255, 210, 120, 22));
        }
        title.DrawCentred(img, "Stay out of the light", 640.0f, 300.0f, 96.0f, pal::kLampCore);
    }
    else
    {
        title.DrawCentred(img, "A night at the facility", 640.0f, 250.0f, 96.0f, pal::kLamp);
        mono.DrawCentred(img, "Best played with headphones", 640.0f, 430.0f, 40.0f,
                         Col(206, 210, 240));
    }
    return img;
}

// The title menu's plate: everything else of the title screen is the level's own scene.
Image TitlePlate()
{
    Image img(kMenuW, kMenuH);
    Terminal(img, kTitlePanel);
    return img;
}
} // namespace

bool MakeMenuArt(const std::string& texDir, const std::string& fontDir)
{
    TtfFont mono, title;
    if (!mono.Load(fontDir + "/Pixel_Countdown.ttf") || !title.Load(fontDir + "/EraserRegular.ttf"))
        return false;
    bool ok = MenuPicture(kMenuPanel, 61).SavePng(texDir + "/MenuPanel.png");
    ok = MenuPicture(kWidePanel, 62).SavePng(texDir + "/MenuWide.png") && ok;
    ok = MenuPicture(kConfirmPanel, 63).SavePng(texDir + "/MenuConfirm.png") && ok;
    ok = ControlsPicture(true, mono).SavePng(texDir + "/ControlsPad.png") && ok;
    ok = ControlsPicture(false, mono).SavePng(texDir + "/ControlsKeys.png") && ok;
    for (int i = 0; i < 3; ++i)
        ok = Splash(i, title, mono).SavePng(texDir + "/Splash" + std::to_string(i + 1) + ".png") &&
             ok;
    ok = TitlePlate().SavePng(texDir + "/TitlePlate.png") && ok;
    return ok;
}

bool MakeMenuContent(const std::string& dataDir, const std::string& wavDir)
{
    const std::string fonts = dataDir + "/Fonts";
    const bool art = MakeMenuArt(dataDir + "/Textures", fonts);
    const bool files = MakeMenuFiles(dataDir + "/GameData/GameObjects", fonts);
    const bool sounds = MakeMenuSounds(wavDir);
    if (!art || !files || !sounds) std::fprintf(stderr, "generate_content: menu content failed\n");
    return art && files && sounds;
}
