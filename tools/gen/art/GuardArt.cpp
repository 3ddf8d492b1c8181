#include "art/GuardArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Palette.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace
{

constexpr float kPi = 3.14159265f;

// Grey-blue uniform and a dark peaked cap: the guard has to read as "not the
// player" from a single glance at the silhouette and the colours.
const Material kUniform{Col(28, 36, 52), Col(60, 74, 96), Col(88, 106, 130), Col(132, 150, 176)};
const Material kUniformFar{Col(20, 26, 40), Col(44, 54, 72), Col(64, 78, 98), Col(96, 112, 134)};
const Material kTrousers{Col(14, 18, 30), Col(28, 34, 54), Col(40, 48, 74), Col(62, 72, 102)};
const Material kTrousersFar{Col(10, 13, 22), Col(22, 26, 42), Col(32, 38, 58), Col(48, 56, 80)};
const Material kCap{Col(12, 14, 28), Col(24, 28, 52), Col(36, 42, 74), Col(62, 70, 112)};
const Material kVisor{Col(8, 8, 14), Col(16, 16, 24), Col(26, 26, 36), Col(96, 100, 124)};
const Material kBoot{Col(10, 10, 14), Col(22, 22, 28), Col(34, 34, 42), Col(72, 72, 86)};
const Material kBelt{Col(12, 12, 16), Col(26, 24, 28), Col(38, 34, 38), Col(70, 64, 66)};
const Material kSkin{Col(120, 78, 58), Col(170, 116, 86), Col(200, 146, 110), Col(228, 182, 144)};
const Material kHair{Col(30, 22, 18), Col(52, 38, 30), Col(70, 52, 40), Col(96, 74, 58)};
const Material kTorch{Col(20, 22, 28), Col(48, 52, 62), Col(74, 80, 94), Col(136, 144, 162)};
const Rgba kGold = Col(238, 198, 92);
const Rgba kGoldDark = Col(164, 122, 44);
const Rgba kBrow = Col(52, 36, 30);
const Rgba kCyan = Col(96, 236, 255);

enum class Eyes
{
    Calm,
    Wide,
    Dazed
};

// Angles from straight down, positive towards the facing side; index 0 is
// the far limb, 1 the near one.
struct Pose
{
    float legA[2] = {0, 0};
    float kneeB[2] = {0.1f, 0.1f};
    float footTilt[2] = {0, 0};
    float armA[2] = {0.1f, 0.1f};
    float elbowB[2] = {0.3f, 0.3f};
    float lean = 0.06f;
    float breath = 0;
    bool torchInHand = false;
    Eyes eyes = Eyes::Calm;
};

struct Joints
{
    Vec2 hip, chest, neck, head;
    Vec2 hipJ[2], knee[2], ankle[2], shoulder[2], elbow[2], hand[2];
};

Joints Solve(const Pose& p, float groundY)
{
    const float thigh = 10.0f, shin = 10.0f, torso = 14.5f, upper = 7.5f, fore = 7.0f;
    Joints j;
    j.hip = {22.0f, 38.0f};
    float lowest = 0.0f;
    for (int i = 0; i < 2; ++i)
    {
        j.hipJ[i] = j.hip + Vec2{i == 1 ? 1.5f : -1.5f, 0};
        j.knee[i] = j.hipJ[i] + DownDir(p.legA[i]) * thigh;
        j.ankle[i] = j.knee[i] + DownDir(p.legA[i] - p.kneeB[i]) * shin;
        lowest = std::max(lowest, j.ankle[i].y);
    }
    // Settle the lowest foot on the ground line.
    const Vec2 drop{0, groundY - lowest};
    j.hip = j.hip + drop;
    for (int i = 0; i < 2; ++i)
    {
        j.hipJ[i] = j.hipJ[i] + drop;
        j.knee[i] = j.knee[i] + drop;
        j.ankle[i] = j.ankle[i] + drop;
    }
    const Vec2 up{std::sin(p.lean), -std::cos(p.lean)};
    const Vec2 rise{0, -p.breath};
    j.chest = j.hip + up * (torso * 0.72f) + rise;
    j.neck = j.hip + up * torso + rise;
    j.head = j.neck + up * 6.5f + Vec2{1.5f, 0};
    for (int i = 0; i < 2; ++i)
    {
        j.shoulder[i] = j.chest + Vec2{i == 1 ? 1.0f : -2.5f, i == 1 ? -1.0f : -1.5f};
        j.elbow[i] = j.shoulder[i] + DownDir(p.armA[i]) * upper;
        j.hand[i] = j.elbow[i] + DownDir(p.armA[i] + p.elbowB[i]) * fore;
    }
    return j;
}

void DrawArm(Figure& f, const Joints& j, int i)
{
    f.BeginPart(i == 0 ? kUniformFar : kUniform);
    f.Capsule(j.shoulder[i], 3.3f, j.elbow[i], 2.7f);
    f.Capsule(j.elbow[i], 2.7f, j.hand[i], 2.2f);
    f.BeginPart(kSkin);
    f.Ellipse(j.hand[i], 2.4f, 2.4f);
}

void DrawLeg(Figure& f, const Joints& j, int i, float tilt)
{
    f.BeginPart(i == 0 ? kTrousersFar : kTrousers);
    f.Capsule(j.hipJ[i], 3.8f, j.knee[i], 3.1f);
    f.Capsule(j.knee[i], 3.1f, j.ankle[i], 2.7f);
    const Vec2 toe = j.ankle[i] + Vec2{5.5f * std::cos(tilt), 5.5f * std::sin(tilt)};
    f.BeginPart(kBoot); // heavy work boots, no bright soles like the player's
    f.Capsule(j.ankle[i] + Vec2{-0.8f, 0.6f}, 2.8f, toe + Vec2{0, 0.8f}, 2.4f);
}

// Torch held in the near hand, pointing along the forearm.
Vec2 DrawTorchInHand(Figure& f, const Joints& j, const Pose& p)
{
    const Vec2 dir = DownDir(p.armA[1] + p.elbowB[1]);
    const Vec2 tail = j.hand[1] + dir * -2.5f, lens = j.hand[1] + dir * 5.0f;
    f.BeginPart(kTorch);
    f.Capsule(tail, 1.3f, lens, 1.9f);
    return lens;
}

void DrawHead(Figure& f, Vec2 c)
{
    f.BeginPart(kSkin);
    f.Ellipse(c, 7.0f, 7.4f);
    f.Ellipse(c + Vec2{1.8f, 3.4f}, 6.0f, 4.6f); // heavy jaw
    f.Ellipse(c + Vec2{7.0f, 0.8f}, 1.7f, 1.6f); // nose
    const int skin = f.CurrentPart();
    f.BeginPart(kHair);
    f.EllipseInside(c + Vec2{-5.2f, -1.5f}, 3.4f, 5.0f, skin);
    f.BeginPart(kCap);
    f.Ellipse(c + Vec2{-0.5f, -6.2f}, 8.6f, 4.0f);
    f.Capsule(c + Vec2{-7.0f, -3.8f}, 1.8f, c + Vec2{5.5f, -3.8f}, 1.8f);
    f.BeginPart(kVisor);
    f.Capsule(c + Vec2{4.0f, -2.8f}, 1.2f, c + Vec2{11.0f, -1.9f}, 0.8f);
}

void HeadDecals(Figure& f, Vec2 c, Eyes eyes)
{
    const int x = static_cast<int>(std::floor(c.x)), y = static_cast<int>(std::floor(c.y));
    f.Decal(x + 1, y - 7, kGold); // cap badge
    f.Decal(x + 2, y - 7, kGold);
    f.Decal(x + 1, y - 6, kGoldDark);
    f.Decal(x + 2, y - 6, kGoldDark);
    f.Decal(x - 2, y, kSkin.shadow); // ear
    f.Decal(x - 2, y + 1, kSkin.shadow);
    f.Decal(x - 1, y + 1, kSkin.shadow);
    for (int i = 4; i <= 7; ++i) f.Decal(x + i, y + 3, kBrow); // moustache
    f.Decal(x + 5, y + 4, kBrow);
    if (eyes == Eyes::Dazed)
    {
        for (int k = -1; k <= 1; ++k)
        {
            f.Decal(x + 4 + k, y + k, pal::kEye);
            f.Decal(x + 4 + k, y - k, pal::kEye);
        }
        return;
    }
    const int lift = eyes == Eyes::Wide ? 1 : 0;
    for (int i = 3; i <= 5; ++i) f.Decal(x + i, y - 1 - lift, kBrow);
    if (eyes == Eyes::Wide) f.Decal(x + 4, y - 1, pal::kEyeGlint);
    f.Decal(x + 4, y, pal::kEye);
    f.Decal(x + 4, y + 1, pal::kEye);
}

void BodyDecals(Figure& f, const Joints& j)
{
    const int bx = static_cast<int>(j.chest.x + 3.0f), by = static_cast<int>(j.chest.y - 1.0f);
    f.Decal(bx, by, kGold); // chest badge
    f.Decal(bx + 1, by, kGold);
    f.Decal(bx, by + 1, kGoldDark);
    f.Decal(bx + 1, by + 1, kGold);
    const int kx = static_cast<int>(j.hip.x + 5.0f), ky = static_cast<int>(j.hip.y - 3.0f);
    f.Decal(kx, ky, Col(180, 180, 196)); // belt buckle
    f.Decal(kx, ky + 1, Col(120, 120, 140));
    // Radio clipped to the shoulder strap, its LED a warm dot.
    const int rx = static_cast<int>(j.chest.x - 1.0f), ry = static_cast<int>(j.chest.y - 5.0f);
    f.Decal(rx, ry, Col(20, 20, 26));
    f.Decal(rx, ry + 1, Col(20, 20, 26));
    f.Decal(rx, ry - 1, pal::kLamp);
}

// The whole figure in a 48 x 64 frame (1.5 x 2 units at 32 px per unit).
Image DrawGuard(const Pose& p, float groundY)
{
    const Joints j = Solve(p, groundY);
    Figure f(48, 64);
    DrawArm(f, j, 0);
    DrawLeg(f, j, 0, p.footTilt[0]);
    DrawLeg(f, j, 1, p.footTilt[1]);
    f.BeginPart(kUniform);
    const Vec2 up = (j.neck + j.hip * -1.0f) * (1.0f / 14.5f);
    f.Capsule(j.hip + up * 1.5f, 8.0f, j.chest, 9.3f);
    f.Ellipse(j.hip + up * 5.0f + Vec2{3.0f, 0}, 7.6f, 7.0f); // a bit of a belly
    const int torso = f.CurrentPart();
    f.BeginPart(kBelt);
    f.EllipseInside(j.hip + up * 2.5f, 11.0f, 1.6f, torso);
    if (!p.torchInHand)
    {
        f.BeginPart(kTorch); // torch hanging on the belt
        f.Capsule(j.hip + Vec2{6.0f, -1.0f}, 1.3f, j.hip + Vec2{6.8f, 5.0f}, 1.8f);
    }
    DrawHead(f, j.head);
    DrawArm(f, j, 1);
    Vec2 lens{};
    if (p.torchInHand) lens = DrawTorchInHand(f, j, p);
    HeadDecals(f, j.head, p.eyes);
    BodyDecals(f, j);
    Image img = f.Render(pal::kOutline);
    const Vec2 tip = p.torchInHand ? lens : j.hip + Vec2{6.8f, 6.5f};
    img.Glow(tip.x, tip.y, p.torchInHand ? 7.0f : 3.0f, pal::kLamp, 0.8f);
    img.Set(static_cast<int>(tip.x), static_cast<int>(tip.y), pal::kLampCore);
    return img;
}

std::vector<Image> IdleFrames()
{
    std::vector<Image> out;
    const float breath[4] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i)
    {
        Pose p;
        p.legA[0] = -0.12f, p.kneeB[0] = 0.2f;
        p.legA[1] = 0.14f, p.kneeB[1] = 0.25f;
        p.armA[0] = 0.15f, p.elbowB[0] = 0.35f;
        p.armA[1] = 0.08f - 0.03f * breath[i], p.elbowB[1] = 0.75f; // thumb in the belt
        p.breath = breath[i];
        out.push_back(DrawGuard(p, 59.0f));
    }
    return out;
}

std::vector<Image> WalkFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 8; ++i)
    {
        const float ph = 2.0f * kPi * static_cast<float>(i) / 8.0f;
        Pose p;
        for (int k = 0; k < 2; ++k)
        {
            const float q = ph + (k == 1 ? 0.0f : kPi);
            const float swing = std::max(0.0f, std::cos(q));
            p.legA[k] = 0.45f * std::sin(q);
            p.kneeB[k] = 0.12f + 0.8f * swing * swing;
            p.footTilt[k] = 0.35f * swing * swing - (std::sin(q) < -0.4f ? 0.2f : 0.0f);
            p.armA[k] = 0.1f - 0.35f * std::sin(q); // a measured patrol swing
            p.elbowB[k] = 0.45f;
        }
        p.lean = 0.1f;
        out.push_back(DrawGuard(p, 59.0f));
    }
    return out;
}

std::vector<Image> AlertFrames()
{
    std::vector<Image> out;
    const float sweep[4] = {0.0f, 0.08f, 0.14f, 0.06f};
    for (int i = 0; i < 4; ++i)
    {
        Pose p;
        p.legA[0] = -0.3f, p.kneeB[0] = 0.2f;
        p.legA[1] = 0.38f, p.kneeB[1] = 0.55f;
        p.armA[0] = 0.9f, p.elbowB[0] = 1.1f;
        p.armA[1] = 1.6f + sweep[i], p.elbowB[1] = 0.25f;
        p.lean = 0.36f;
        p.breath = (i == 1 || i == 2) ? 1.0f : 0.0f;
        p.torchInHand = true;
        p.eyes = Eyes::Wide;
        out.push_back(DrawGuard(p, 59.0f));
    }
    return out;
}

// Energy ribbon spiralling around the guard; `front` picks the half that
// passes in front of the body.
void Swirl(Image& img, float phase, bool front)
{
    for (int k = 0; k < 260; ++k)
    {
        const float t = k / 259.0f;
        const float a = t * 5.0f * kPi + phase;
        if ((std::sin(a) > 0.0f) != front) continue;
        const float rx = 21.0f - 9.0f * t, ry = 5.0f - 2.0f * t;
        const float x = 24.0f + rx * std::cos(a), y = 57.0f - 46.0f * t + ry * std::sin(a);
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        if (front)
        {
            img.Blend(px, py + 1, kCyan, 0.9f);
            img.Set(px, py, Col(226, 255, 255));
        }
        else
            img.Blend(px, py, Shade(kCyan, 0.75f), 0.75f);
    }
}

void Sparkle(Image& img, int x, int y)
{
    img.Set(x, y, Col(255, 255, 230));
    for (auto d : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        img.Blend(x + d.first, y + d.second, pal::kLamp, 0.9f);
}

// Washes the body in the ball's light but keeps the outline dark, so the
// silhouette survives the tint.
void TintCyan(Image& body)
{
    for (int y = 0; y < body.Height(); ++y)
        for (int x = 0; x < body.Width(); ++x)
        {
            const Rgba c = body.Get(x, y);
            if (c.a == 0) continue;
            const bool outline = c.r == pal::kOutline.r && c.g == pal::kOutline.g;
            body.Set(x, y, outline ? Col(8, 30, 40) : Mix(c, Col(80, 220, 236), 0.38f));
        }
}

std::vector<Image> CapturedFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 2; ++i)
    {
        Pose p;
        p.legA[0] = -0.5f, p.kneeB[0] = 0.7f, p.footTilt[0] = 0.6f;
        p.legA[1] = 0.45f, p.kneeB[1] = 0.9f, p.footTilt[1] = 0.5f;
        p.armA[0] = 2.9f - 0.2f * i, p.elbowB[0] = 0.3f;
        p.armA[1] = 2.5f + 0.2f * i, p.elbowB[1] = -0.3f;
        p.lean = 0.0f;
        p.eyes = Eyes::Dazed;
        // Pulled off his feet and spun towards the ball.
        Image body =
            Transformed(DrawGuard(p, 57.0f), Vec2{24.0f, 38.0f}, i == 0 ? -0.2f : 0.2f, 1.0f);
        TintCyan(body);
        Image img(48, 64);
        img.Glow(24.0f, 36.0f, 28.0f, kCyan, 0.5f);
        Swirl(img, i * kPi * 0.5f, false);
        img.Paste(body, 0, 0);
        Swirl(img, i * kPi * 0.5f, true);
        for (int s = 0; s < 3; ++s) // dizzy stars circling the cap
        {
            const float a = s * 2.0f * kPi / 3.0f + i * 1.0f;
            Sparkle(img, static_cast<int>(24.0f + 8.0f * std::cos(a)),
                    static_cast<int>(6.0f + 2.0f * std::sin(a)));
        }
        out.push_back(img);
    }
    return out;
}

} // namespace

Image GuardPortrait()
{
    return IdleFrames().front();
}

bool MakeGuardArt(const std::string& texDir)
{
    return WriteSheet(texDir, "GuardIdle", IdleFrames()) &&
           WriteSheet(texDir, "GuardWalk", WalkFrames()) &&
           WriteSheet(texDir, "GuardAlert", AlertFrames()) &&
           WriteSheet(texDir, "GuardCaptured", CapturedFrames());
}
