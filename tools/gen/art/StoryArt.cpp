#include "art/StoryArt.h"

#include "art/GuardArt.h"
#include "art/PlayerArt.h"
#include "art/RobotArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Image.h"
#include "kit/Palette.h"
#include "kit/Rng.h"
#include "kit/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

const Rgba kSteelDark = Col(30, 32, 48);
const Rgba kSteel = Col(58, 62, 84);
const Rgba kSteelLight = Col(96, 102, 130);
const Rgba kScreen = Col(206, 214, 228);
const Rgba kExitGreen = Col(96, 236, 150);
const Rgba kNeonCyan = Col(110, 240, 255);
const Rgba kNeonPink = Col(255, 96, 196);

void Rivet(Image& img, int x, int y)
{
    img.Set(x, y, kSteelLight);
    img.Set(x + 1, y + 1, kSteelDark);
}

void HazardBand(Image& img, int x, int y, int w, int h)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            img.Set(x + i, y + j, ((i + j) / 4) % 2 ? pal::kHazardBlack : pal::kHazardYellow);
}

// The portrait slot and the screen of the dialog panel (pixels of the 512 x 128 picture; the
// game lays the text out on the screen by the same numbers).
constexpr int kPanelW = 512, kPanelH = 128;
constexpr int kSlotX = 12, kSlotY = 16, kSlotSize = 96;
constexpr int kScreenX = 122, kScreenY = 10;

// Head and shoulders of a standing figure: the top of its opaque part, as wide as it is.
Image HeadAndShoulders(const Image& figure)
{
    int x0 = figure.Width(), x1 = -1, y0 = figure.Height(), y1 = -1;
    for (int y = 0; y < figure.Height(); ++y)
        for (int x = 0; x < figure.Width(); ++x)
            if (figure.Get(x, y).a > 0)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y),
                y1 = std::max(y1, y);
    if (x1 < x0) return figure;
    const int w = x1 - x0 + 1, h = std::min(y1 - y0 + 1, std::max(w, 20));
    return figure.Crop(x0, y0, w, h);
}

// The speaker's picture on a dim screen of its own: the figure cropped and enlarged in whole
// pixels, standing on the slot's bottom edge.
Image PortraitSlot(const Image& figure, Rgba glow)
{
    Image slot(kSlotSize, kSlotSize, Col(20, 22, 38));
    for (int y = 0; y < kSlotSize; y += 3) slot.FillRect(0, y, kSlotSize, 1, Col(26, 28, 46));
    slot.Glow(kSlotSize / 2.0f, kSlotSize * 0.55f, kSlotSize * 0.6f, glow, 0.45f);
    const Image head = HeadAndShoulders(figure);
    const int factor =
        std::max(1, std::min((kSlotSize - 8) / head.Width(), (kSlotSize - 4) / head.Height()));
    const Image big = head.Upscaled(factor);
    slot.Paste(big, (kSlotSize - big.Width()) / 2, kSlotSize - big.Height());
    return slot;
}

// The narrator's slot: the bell of the title, lit warm.
Image BellSlot()
{
    Image slot(kSlotSize, kSlotSize, Col(20, 22, 38));
    for (int y = 0; y < kSlotSize; y += 3) slot.FillRect(0, y, kSlotSize, 1, Col(26, 28, 46));
    const float c = kSlotSize / 2.0f;
    slot.Glow(c, c, 44.0f, pal::kLamp, 0.5f);
    slot.FillRect(static_cast<int>(c) - 3, 14, 6, 8, pal::kOutline); // the hanger
    slot.FillCircle(c, 44.0f, 23.0f, pal::kOutline);
    slot.FillRect(static_cast<int>(c) - 32, 58, 64, 14, pal::kOutline); // the flared lip
    slot.FillCircle(c, 44.0f, 21.0f, pal::kLampDeep);
    slot.FillRect(static_cast<int>(c) - 30, 60, 60, 10, pal::kLampDeep);
    slot.FillRect(static_cast<int>(c) - 21, 44, 42, 16, pal::kLampDeep);
    slot.FillCircle(c - 7.0f, 38.0f, 8.0f, pal::kLamp); // the lit shoulder
    slot.FillRect(static_cast<int>(c) - 28, 60, 56, 3, pal::kLamp);
    slot.FillCircle(c, 76.0f, 6.0f, pal::kOutline); // the clapper
    slot.FillCircle(c, 76.0f, 4.5f, kSteelLight);
    return slot;
}

// A pale intercom screen in a riveted steel frame, the speaker's portrait beside it: the
// dialog's black text reads on the screen.
Image DialogPanel(const Image& portrait)
{
    const int w = kPanelW, h = kPanelH;
    Image img(w, h, Rgba{});
    img.FillRect(0, 0, w, h, pal::kOutline);
    img.FillRect(2, 2, w - 4, h - 4, kSteel);
    img.FillRect(4, 4, w - 8, 2, kSteelLight);
    img.FillRect(4, h - 6, w - 8, 2, kSteelDark);
    // The portrait in a dark bezel.
    img.FillRect(kSlotX - 4, kSlotY - 4, kSlotSize + 8, kSlotSize + 8, kSteelDark);
    img.FillRect(kSlotX - 2, kSlotY - 2, kSlotSize + 4, kSlotSize + 4, pal::kOutline);
    img.Paste(portrait, kSlotX, kSlotY);
    // The screen, with a faint scanline texture and a lit top edge.
    const int sx = kScreenX, sy = kScreenY, sw = w - 10 - kScreenX, sh = h - 2 * kScreenY;
    img.FillRect(sx - 2, sy - 2, sw + 4, sh + 4, pal::kOutline);
    for (int y = 0; y < sh; ++y)
    {
        const float v = static_cast<float>(y) / sh;
        Rgba c = Mix(Col(226, 232, 242), kScreen, v);
        if (y % 3 == 0) c = Shade(c, 0.97f);
        img.FillRect(sx, sy + y, sw, 1, c);
    }
    img.FillRect(sx, sy, sw, 1, Col(250, 252, 255));
    img.BlendRect(sx, sy + sh - 10, sw, 10, Col(120, 130, 170, 40));
    for (int x : {6, w - 8})
        for (int y : {6, h - 8}) Rivet(img, x, y);
    HazardBand(img, w - 150, h - 5, 140, 3);
    return img;
}

// A roller shutter over the whole screen between levels.
Image CurtainShutter()
{
    const int s = 256;
    Image img(s, s, Rgba{});
    for (int y = 0; y < s; ++y)
    {
        const int slat = y % 16;
        Rgba c = Mix(Col(34, 30, 62), Col(20, 18, 40), static_cast<float>(y) / s);
        if (slat == 0)
            c = pal::kOutline;
        else if (slat < 3)
            c = Shade(c, 1.5f);
        else if (slat > 12)
            c = Shade(c, 0.75f);
        img.FillRect(0, y, s, 1, c);
    }
    Rng rng(31);
    for (int i = 0; i < 400; ++i)
        img.Blend(rng.Int(0, s - 1), rng.Int(0, s - 1), Col(120, 110, 160), 0.15f);
    HazardBand(img, 0, 0, s, 8);
    HazardBand(img, 0, s - 8, s, 8);
    img.FillRect(0, 8, s, 1, pal::kOutline);
    img.FillRect(0, s - 9, s, 1, pal::kOutline);
    // A warm service lamp glow at the middle seam.
    img.Glow(s / 2.0f, s / 2.0f, 60, pal::kLamp, 0.18f);
    img.FillRect(s / 2 - 14, s / 2 - 2, 28, 4, pal::kOutline);
    img.FillRect(s / 2 - 12, s / 2 - 1, 24, 2, kSteelLight);
    return img;
}

// Freight lift doors with a green exit light: the way out of every playable level.
Image ExitLift()
{
    const int w = 64, h = 96;
    Image img(w, h, Rgba{});
    img.FillRect(0, 8, w, h - 8, pal::kOutline);
    img.FillRect(2, 10, w - 4, h - 10, kSteel);
    img.FillRect(2, 10, w - 4, 2, kSteelLight);
    // Exit light box.
    img.FillRect(18, 0, 28, 9, pal::kOutline);
    img.FillRect(20, 1, 24, 7, Col(20, 60, 40));
    img.Glow(32, 4, 16, kExitGreen, 0.5f);
    for (int x = 23; x < 41; x += 4) img.FillRect(x, 3, 2, 3, kExitGreen);
    // Doors: two halves and a seam, lit from the exit light above.
    const int dx = 8, dy = 18, dw = w - 24, dh = h - 20;
    img.FillRect(dx - 1, dy - 1, dw + 2, dh + 1, pal::kOutline);
    for (int y = 0; y < dh; ++y)
    {
        Rgba c = Mix(Col(86, 96, 118), Col(44, 48, 66), static_cast<float>(y) / dh);
        img.FillRect(dx, dy + y, dw, 1, c);
    }
    img.FillRect(dx + dw / 2, dy, 1, dh, pal::kOutline);
    for (int y = dy + 6; y < dy + dh; y += 12)
    {
        img.FillRect(dx + 3, y, dw / 2 - 6, 1, Col(110, 120, 146));
        img.FillRect(dx + dw / 2 + 3, y, dw / 2 - 6, 1, Col(110, 120, 146));
    }
    img.BlendRect(dx, dy, dw, 6, Col(96, 236, 150, 50));
    HazardBand(img, dx, h - 4, dw, 3);
    // Call panel with a lit up arrow.
    img.FillRect(w - 13, 44, 9, 16, pal::kOutline);
    img.FillRect(w - 12, 45, 7, 14, kSteelDark);
    for (int i = 0; i < 3; ++i) img.FillRect(w - 9 - i, 48 + i, 1 + 2 * i, 1, pal::kLamp);
    img.Glow(w - 8.5f, 49, 5, pal::kLamp, 0.6f);
    return img;
}

// A cargo platform with hazard edges and a strip of running lights underneath.
Image MovingFloor()
{
    const int w = 96, h = 16;
    Image img(w, h, Rgba{});
    img.FillRect(0, 0, w, h, pal::kOutline);
    img.FillRect(1, 1, w - 2, 5, kSteelLight);
    img.FillRect(1, 2, w - 2, 4, Col(78, 84, 110));
    img.FillRect(1, 6, w - 2, 6, kSteel);
    HazardBand(img, 1, 6, 10, 6);
    HazardBand(img, w - 11, 6, 10, 6);
    for (int x = 16; x < w - 16; x += 12) Rivet(img, x, 8);
    img.FillRect(1, 12, w - 2, 3, kSteelDark);
    for (int x = 6; x < w - 6; x += 8)
    {
        img.Set(x, 13, kNeonCyan);
        img.Set(x + 1, 13, kNeonCyan);
    }
    return img;
}

// 5 x 7 neon letters for the sign.
const char* Letter(char c)
{
    switch (c)
    {
    case 'Z':
        return "#####"
               "....#"
               "...#."
               "..#.."
               ".#..."
               "#...."
               "#####";
    case 'E':
        return "#####"
               "#...."
               "#...."
               "####."
               "#...."
               "#...."
               "#####";
    case 'N':
        return "#...#"
               "##..#"
               "#.#.#"
               "#.#.#"
               "#..##"
               "#...#"
               "#...#";
    case 'T':
        return "#####"
               "..#.."
               "..#.."
               "..#.."
               "..#.."
               "..#.."
               "..#..";
    case 'O':
        return ".###."
               "#...#"
               "#...#"
               "#...#"
               "#...#"
               "#...#"
               ".###.";
    case 'C':
        return ".###."
               "#...#"
               "#...."
               "#...."
               "#...."
               "#...#"
               ".###.";
    case 'H':
        return "#...#"
               "#...#"
               "#...#"
               "#####"
               "#...#"
               "#...#"
               "#...#";
    default:
        return "";
    }
}

void NeonText(Image& img, const char* text, int x, int y, Rgba tube, bool lit)
{
    for (const char* p = text; *p; ++p, x += 7)
    {
        const char* rows = Letter(*p);
        const int cells = static_cast<int>(std::strlen(rows));
        for (int i = 0; i < cells && i < 35; ++i)
        {
            if (rows[i] != '#') continue;
            const int px = x + i % 5, py = y + i / 5 * 2;
            if (lit) img.Glow(px + 0.5f, py + 1.0f, 4, tube, 0.25f);
            Rgba c = lit ? Mix(tube, Col(255, 255, 255), 0.45f) : Shade(tube, 0.3f);
            img.FillRect(px, py, 1, 2, c);
        }
    }
}

// The ZentoTech billboard, dark (slot 0) and lit (slot 1).
Image Sign(bool lit)
{
    const int w = 128, h = 64;
    Image img(w, h, Rgba{});
    img.FillRect(2, 4, w - 4, h - 14, pal::kOutline);
    img.FillRect(4, 6, w - 8, h - 18, Col(16, 14, 32));
    if (lit) img.BlendRect(4, 6, w - 8, h - 18, Col(60, 40, 110, 90));
    NeonText(img, "ZENTOTECH", 4 + (w - 8 - 63) / 2, 12, kNeonCyan, lit);
    // A capture-ball logo mark under the name.
    const float cx = w / 2.0f, cy = 40.0f;
    if (lit) img.Glow(cx, cy, 14, kNeonPink, 0.5f);
    img.FillCircle(cx, cy, 6, lit ? kNeonPink : Shade(kNeonPink, 0.3f));
    img.FillRect(static_cast<int>(cx) - 6, static_cast<int>(cy), 12, 1, pal::kOutline);
    img.FillCircle(cx, cy, 2, lit ? Col(255, 240, 250) : Col(60, 50, 70));
    // Legs to the roof.
    img.FillRect(20, h - 10, 3, 10, kSteelDark);
    img.FillRect(w - 23, h - 10, 3, 10, kSteelDark);
    return img;
}

// Stand-ins for the cutscenes until the enemy art lands: a night guard and a lab robot.
Image Guard()
{
    const Material uniform{Col(20, 28, 40), Col(34, 48, 70), Col(50, 70, 100), Col(80, 104, 140)};
    const Material skin = pal::kFace;
    Figure f(48, 64);
    f.BeginPart(pal::kPants);
    f.Capsule({21, 44}, 3.5f, {20, 60}, 3.0f);
    f.Capsule({27, 44}, 3.5f, {28, 60}, 3.0f);
    f.BeginPart(pal::kShoe);
    f.Ellipse({20, 61}, 4.5f, 2.0f);
    f.Ellipse({29, 61}, 4.5f, 2.0f);
    f.BeginPart(uniform);
    f.Capsule({24, 26}, 8.0f, {24, 42}, 7.0f);
    f.Capsule({17, 27}, 2.8f, {15, 42}, 2.5f);
    f.Capsule({31, 27}, 2.8f, {33, 42}, 2.5f);
    f.BeginPart(skin);
    f.Ellipse({24, 15}, 6.0f, 6.5f);
    f.BeginPart(uniform);
    f.Ellipse({24, 10}, 7.0f, 3.5f);
    f.Capsule({24, 12}, 1.0f, {32, 12}, 1.0f);
    f.Decal(26, 15, pal::kEye);
    f.Decal(29, 15, pal::kEye);
    f.Decal(30, 30, pal::kHazardYellow); // badge
    f.Decal(31, 30, pal::kHazardYellow);
    Image img = f.Render(pal::kOutline);
    img.Glow(35, 42, 5, pal::kLampCore, 0.8f); // torch in hand
    return img;
}

// A rising shimmer with a low hum under it, tailing off into the room.
Sound Teleporter()
{
    const float len = 1.3f;
    Sound out(1, len);
    Rng rng(41);
    float ph = 0.0f, hum = 0.0f;
    BandPass air(800.0f, 1.2f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = 220.0f * std::pow(2.0f, 2.0f * t / len);
        ph += hz / kRate;
        hum += 55.0f / kRate;
        air.Set(600.0f + 3000.0f * t / len, 1.4f);
        const float shimmer =
            std::sin(6.2831853f * ph) * (0.6f + 0.4f * std::sin(6.2831853f * 14.0f * t));
        const float tone = shimmer * 0.5f + SawAt(hum, 55.0f, 12) * 0.3f;
        out.s[i] = (tone + air.Process(rng.Range(-1.0f, 1.0f)) * 0.6f) * Env(t, 0.08f, 0.7f, 0.5f);
    }
    Reverb(out, 0.3f, 0.5f);
    Normalize(out, 0.75f);
    return out;
}

} // namespace

bool MakeStoryArt(const std::string& texDir)
{
    // One panel per speaker: the narrator's bell, then WREN, the guard and the robot (the
    // dialog boxes' "Speakers" in that order).
    const Image wren = PortraitSlot(PlayerPortrait(), Col(120, 90, 170));
    const Image guard = PortraitSlot(GuardPortrait(), Col(90, 130, 200));
    const Image robot = PortraitSlot(RobotPortrait(), Col(255, 90, 80));
    return SaveArt(DialogPanel(BellSlot()), texDir, "DialogBox") &&
           SaveArt(DialogPanel(wren), texDir, "DialogWren") &&
           SaveArt(DialogPanel(guard), texDir, "DialogGuard") &&
           SaveArt(DialogPanel(robot), texDir, "DialogUnit") &&
           SaveArt(CurtainShutter(), texDir, "Curtain") &&
           SaveArt(ExitLift(), texDir, "ExitLift") &&
           SaveArt(MovingFloor(), texDir, "MovingFloor") &&
           SaveArt(Sign(false), texDir, "ZentoTechSignOff") &&
           SaveArt(Sign(true), texDir, "ZentoTechSignOn") &&
           SaveArt(Guard(), texDir, "CutsceneGuard");
}

bool MakeStorySounds(const std::string& wavDir)
{
    return WriteWav(wavDir + "/teleporter.wav", Teleporter());
}
