#include "art/PlayerArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Palette.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace
{

constexpr float kPi = 3.14159265f;

// Angles from straight down, positive towards the facing side. Index 0 is the
// far limb, 1 the near one.
struct Limbs
{
    float legA[2] = {0, 0};
    float kneeB[2] = {0.1f, 0.1f}; // positive swings the shin backwards
    float footTilt[2] = {0, 0};    // positive points the toe down
    float armA[2] = {0.3f, 0.3f};
    float elbowB[2] = {0.8f, 0.8f}; // positive swings the forearm forwards
};

struct Joints
{
    Vec2 hipJ[2], knee[2], ankle[2], shoulder[2], elbow[2], hand[2];
};

Vec2 Rotated(Vec2 v, float t)
{
    return {v.x * std::cos(t) - v.y * std::sin(t), v.x * std::sin(t) + v.y * std::cos(t)};
}

void DrawArm(Figure& f, const Joints& j, int i)
{
    f.BeginPart(i == 0 ? pal::kHoodieFar : pal::kHoodie);
    f.Capsule(j.shoulder[i], 2.7f, j.elbow[i], 2.3f);
    f.Capsule(j.elbow[i], 2.3f, j.hand[i], 2.0f);
    f.BeginPart(pal::kGlove);
    f.Ellipse(j.hand[i], 2.4f, 2.4f);
}

void DrawLeg(Figure& f, const Joints& j, int i, float tilt, Vec2 toeDir)
{
    f.BeginPart(i == 0 ? pal::kPantsFar : pal::kPants);
    f.Capsule(j.hipJ[i], 3.4f, j.knee[i], 2.8f);
    f.Capsule(j.knee[i], 2.8f, j.ankle[i], 2.3f);
    const Vec2 toe = j.ankle[i] + Rotated(toeDir * 5.0f, tilt);
    f.BeginPart(pal::kShoe);
    f.Capsule(j.ankle[i] + Vec2{-toeDir.x * 0.5f, 0.5f}, 2.4f, toe + Vec2{0, 0.6f}, 2.2f);
    const Material sole{Col(120, 120, 136), pal::kSole, pal::kSole, Col(240, 240, 250)};
    f.BeginPart(sole);
    const Vec2 down = Rotated(Vec2{0, 2.6f}, tilt);
    f.Capsule(j.ankle[i] + down + Vec2{-toeDir.x * 1.5f, 0}, 0.8f, toe + down, 0.8f);
}

void DrawHead(Figure& f, Vec2 c, float facing, float s = 1.0f)
{
    f.BeginPart(pal::kHoodie);
    f.Ellipse(c, 10.0f * s, 9.5f * s);
    f.Capsule(c, 5.0f * s, c + Vec2{-8.5f * facing, -4.5f} * s, 3.0f * s); // hood peak
    const int hood = f.CurrentPart();
    f.BeginPart(pal::kFace);
    const Vec2 face = c + Vec2{3.8f * facing, 1.5f} * s;
    f.EllipseInside(face, 5.6f * s, 6.2f * s, hood);
    const int skin = f.CurrentPart();
    f.BeginPart(pal::kHoodie); // hood brim shading the brow
    f.EllipseInside(face + Vec2{-1.0f * facing, -7.2f} * s, 8.0f * s, 3.2f * s, skin);
    const int ex0 = static_cast<int>(std::floor(face.x - 1.0f * facing * s));
    const int ex1 = static_cast<int>(std::floor(face.x + 3.0f * facing * s));
    const int ey = static_cast<int>(std::floor(face.y - 1.5f * s));
    const int eyeRows = s > 1.1f ? 3 : 2;
    for (int ex : {ex0, ex1})
    {
        f.Decal(ex, ey, pal::kEyeGlint);
        for (int k = 1; k <= eyeRows; ++k) f.Decal(ex, ey + k, pal::kEye);
    }
}

// Standing, walking and jumping: a 24 x 32 unit-box figure facing right.
Image DrawUpright(const Limbs& l, float lean, int breath, float groundY)
{
    const float thigh = 10.5f, shin = 10.0f, torso = 14.0f, upper = 7.5f, fore = 7.0f;
    Joints j;
    Vec2 hip{22.0f, 38.0f};
    for (int i = 0; i < 2; ++i)
    {
        j.hipJ[i] = hip + Vec2{i == 1 ? 1.5f : -1.5f, 0};
        j.knee[i] = j.hipJ[i] + DownDir(l.legA[i]) * thigh;
        j.ankle[i] = j.knee[i] + DownDir(l.legA[i] - l.kneeB[i]) * shin;
    }
    // Settle the lowest foot on the ground line.
    const float dy = groundY - std::max(j.ankle[0].y, j.ankle[1].y);
    hip.y += dy;
    for (int i = 0; i < 2; ++i)
    {
        j.hipJ[i].y += dy;
        j.knee[i].y += dy;
        j.ankle[i].y += dy;
    }
    const Vec2 up{std::sin(lean), -std::cos(lean)};
    const Vec2 chest = hip + up * (torso * 0.75f) + Vec2{0, -static_cast<float>(breath)};
    const Vec2 neck = hip + up * torso + Vec2{0, -static_cast<float>(breath)};
    for (int i = 0; i < 2; ++i)
    {
        j.shoulder[i] = chest + Vec2{i == 1 ? 1.0f : -2.0f, i == 1 ? 0.0f : -0.5f};
        j.elbow[i] = j.shoulder[i] + DownDir(l.armA[i]) * upper;
        j.hand[i] = j.elbow[i] + DownDir(l.armA[i] + l.elbowB[i]) * fore;
    }
    Figure f(48, 64);
    DrawArm(f, j, 0);
    DrawLeg(f, j, 0, l.footTilt[0], Vec2{1, 0});
    DrawLeg(f, j, 1, l.footTilt[1], Vec2{1, 0});
    f.BeginPart(pal::kPack);
    f.Ellipse(chest + Vec2{-6.5f, 2.5f}, 5.0f, 7.0f);
    f.BeginPart(pal::kHoodie);
    f.Capsule(hip + up * 1.5f, 6.5f, chest, 7.5f);
    const Vec2 head = neck + up * 6.0f + Vec2{2.0f, 0};
    DrawHead(f, head, 1.0f);
    DrawArm(f, j, 1);
    // Drawstrings below the face.
    const int sx = static_cast<int>(head.x + 2.0f), sy = static_cast<int>(head.y + 10.0f);
    f.Decal(sx, sy, pal::kSole);
    f.Decal(sx, sy + 1, pal::kSole);
    f.Decal(sx + 3, sy, pal::kSole);
    f.Decal(sx + 3, sy + 1, pal::kSole);
    return f.Render(pal::kOutline);
}

// Hands and knees, facing right, in a frame one unit tall.
Image DrawCrawl(int w, Vec2 hip, Vec2 shoulder, const Limbs& l, const float lift[2])
{
    const float thigh = 10.0f, shin = 10.0f, upper = 7.5f, fore = 7.0f, groundY = 28.0f;
    Joints j;
    for (int i = 0; i < 2; ++i)
    {
        j.hipJ[i] = hip + Vec2{0, i == 1 ? 0.5f : -0.5f};
        j.knee[i] = j.hipJ[i] + DownDir(l.legA[i]) * thigh;
        j.ankle[i] = j.knee[i] + DownDir(l.legA[i] - l.kneeB[i]) * shin;
        j.shoulder[i] = shoulder + Vec2{i == 1 ? 1.0f : -1.0f, 0};
        j.elbow[i] = j.shoulder[i] + DownDir(l.armA[i]) * upper;
        j.hand[i] = j.elbow[i] + DownDir(l.armA[i] + l.elbowB[i]) * fore;
    }
    const float dy = groundY - std::max({j.knee[0].y, j.knee[1].y, j.hand[0].y, j.hand[1].y});
    auto shift = [dy](Vec2& v) { v.y += dy; };
    for (int i = 0; i < 2; ++i)
    {
        for (Vec2* v :
             {&j.hipJ[i], &j.knee[i], &j.ankle[i], &j.shoulder[i], &j.elbow[i], &j.hand[i]})
            shift(*v);
        j.hand[i].y -= lift[i];
        j.elbow[i].y -= lift[i] * 0.5f;
    }
    hip.y += dy;
    shoulder.y += dy;
    Figure f(w, 32);
    DrawArm(f, j, 0);
    DrawLeg(f, j, 0, l.footTilt[0], Vec2{-1, 0});
    DrawLeg(f, j, 1, l.footTilt[1], Vec2{-1, 0});
    f.BeginPart(pal::kPack);
    f.Ellipse(Vec2{(hip.x + shoulder.x) * 0.5f + 1.0f, shoulder.y - 6.5f}, 7.0f, 4.0f);
    f.BeginPart(pal::kHoodie);
    f.Capsule(hip, 5.0f, shoulder, 6.5f);
    DrawHead(f, shoulder + Vec2{w > 48 ? 9.0f : 7.5f, -3.0f}, 1.0f);
    DrawArm(f, j, 1);
    return f.Render(pal::kOutline);
}

std::vector<Image> IdleFrames()
{
    std::vector<Image> out;
    const int breath[4] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i)
    {
        Limbs l;
        l.legA[0] = -0.14f, l.kneeB[0] = 0.25f;
        l.legA[1] = 0.18f, l.kneeB[1] = 0.35f;
        l.armA[0] = 0.35f, l.elbowB[0] = 1.0f;
        l.armA[1] = 0.25f + 0.05f * breath[i], l.elbowB[1] = 1.15f;
        out.push_back(DrawUpright(l, 0.16f, breath[i], 59.0f));
    }
    return out;
}

std::vector<Image> WalkFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 8; ++i)
    {
        const float p = 2.0f * kPi * static_cast<float>(i) / 8.0f;
        Limbs l;
        for (int k = 0; k < 2; ++k)
        {
            const float q = p + (k == 1 ? 0.0f : kPi);
            const float swing = std::max(0.0f, std::cos(q));
            l.legA[k] = 0.55f * std::sin(q);
            l.kneeB[k] = 0.12f + 0.95f * swing * swing;
            l.footTilt[k] = 0.45f * swing * swing - (std::sin(q) < -0.4f ? 0.25f : 0.0f);
            l.armA[k] = 0.3f - 0.5f * std::sin(q);
            l.elbowB[k] = 0.9f;
        }
        out.push_back(DrawUpright(l, 0.24f, 0, 59.0f));
    }
    return out;
}

std::vector<Image> AirFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 2; ++i)
    {
        Limbs l;
        l.legA[0] = -0.4f - 0.1f * i, l.kneeB[0] = 1.1f, l.footTilt[0] = 0.5f;
        l.legA[1] = 0.95f + 0.1f * i, l.kneeB[1] = 1.7f, l.footTilt[1] = 0.2f;
        l.armA[0] = -0.9f - 0.15f * i, l.elbowB[0] = 0.6f;
        l.armA[1] = 1.55f + 0.15f * i, l.elbowB[1] = 0.35f;
        out.push_back(DrawUpright(l, 0.12f, 0, 56.0f - i));
    }
    return out;
}

std::vector<Image> CrawlFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 6; ++i)
    {
        const float p = 2.0f * kPi * static_cast<float>(i) / 6.0f;
        Limbs l;
        float lift[2];
        for (int k = 0; k < 2; ++k)
        {
            const float q = p + (k == 1 ? 0.0f : kPi);
            l.armA[k] = 0.1f + 0.45f * std::sin(q);
            l.elbowB[k] = -0.15f;
            l.legA[k] = 0.2f - 0.25f * std::sin(q);
            l.kneeB[k] = 1.65f;
            l.footTilt[k] = -0.3f;
            lift[k] = 2.0f * std::max(0.0f, std::cos(q));
        }
        const float bob = (i % 3 == 0) ? 0.0f : 0.5f;
        out.push_back(DrawCrawl(64, Vec2{23.0f, 15.0f + bob}, Vec2{40.0f, 14.0f + bob}, l, lift));
    }
    return out;
}

std::vector<Image> CrawlRestFrames()
{
    std::vector<Image> out;
    for (int i = 0; i < 2; ++i)
    {
        Limbs l;
        l.armA[0] = 0.0f, l.elbowB[0] = -0.1f;
        l.armA[1] = 0.2f, l.elbowB[1] = -0.2f;
        l.legA[0] = 0.8f, l.kneeB[0] = 2.5f, l.footTilt[0] = -0.2f;
        l.legA[1] = 0.95f, l.kneeB[1] = 2.65f, l.footTilt[1] = -0.2f;
        const float lift[2] = {0, 0};
        const float b = static_cast<float>(i);
        out.push_back(
            DrawCrawl(48, Vec2{16.0f, 16.0f - b * 0.6f}, Vec2{28.0f, 15.0f - b}, l, lift));
    }
    return out;
}

// Window icon: the hooded face on a round night-sky badge.
Image Icon()
{
    Image img(32, 32);
    img.FillCircle(16.0f, 16.0f, 15.5f, pal::kOutline);
    img.FillCircle(16.0f, 16.0f, 14.5f, pal::kLamp);
    img.FillCircle(16.0f, 16.0f, 13.0f, Col(34, 26, 74));
    img.Glow(16.0f, 16.0f, 13.0f, Col(120, 90, 170), 0.5f);
    Figure f(32, 32);
    DrawHead(f, Vec2{14.5f, 17.5f}, 1.0f, 1.2f);
    img.Paste(f.Render(pal::kOutline), 0, 0);
    return img;
}

} // namespace

Image PlayerPortrait()
{
    return IdleFrames().front();
}

bool MakeIcon(const std::string& bmpPath)
{
    return Icon().SaveBmp(bmpPath);
}

bool MakeDesktopIcons(const std::string& dir, const std::string& name)
{
    // The window's own badge at the sizes desktops ask for: whole multiples keep its pixels
    // square; 48 is 32 taken to 96 and averaged down, so every pixel keeps an even width.
    const Image icon = Icon();
    const struct
    {
        int size, up, down;
    } sizes[] = {{16, 1, 2}, {32, 1, 1}, {48, 3, 2}, {64, 2, 1}, {128, 4, 1}, {256, 8, 1}};
    bool ok = true;
    for (const auto& s : sizes)
    {
        const Image scaled = icon.Upscaled(s.up).Downscaled(s.down);
        const std::string px = std::to_string(s.size);
        ok = scaled.SavePng(dir + "/" + px + "x" + px + "/" + name + ".png") && ok;
    }
    return ok;
}

bool MakePlayerArt(const std::string& texDir)
{
    return WriteSheet(texDir, "PlayerIdle", IdleFrames()) &&
           WriteSheet(texDir, "PlayerWalk", WalkFrames()) &&
           WriteSheet(texDir, "PlayerJump", AirFrames()) &&
           WriteSheet(texDir, "PlayerCrawl", CrawlFrames()) &&
           WriteSheet(texDir, "PlayerCrawlIdle", CrawlRestFrames());
}
