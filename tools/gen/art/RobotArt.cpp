#include "art/RobotArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Palette.h"
#include "kit/Rng.h"
#include "kit/Synth.h"

#include <cmath>
#include <vector>

namespace
{

constexpr int kFrame = 64; // 2 x 2 world units
constexpr float kPi = 3.14159265f;

// Municipal teal with a yellow hazard trim: a cleaning machine, not a weapon, but one you would
// rather not meet at night.
const Material kShell{Col(18, 44, 52), Col(34, 82, 92), Col(52, 118, 126), Col(96, 170, 172)};
const Material kShellFar{Col(14, 32, 40), Col(26, 60, 70), Col(38, 86, 94), Col(66, 120, 126)};
const Material kMetal{Col(30, 32, 48), Col(58, 62, 84), Col(88, 94, 118), Col(140, 146, 170)};
const Material kRubber{Col(10, 10, 14), Col(22, 22, 28), Col(32, 32, 40), Col(58, 58, 70)};
const Material kDome{Col(24, 26, 40), Col(48, 52, 74), Col(74, 80, 106), Col(150, 160, 190)};
const Material kBristle{Col(80, 56, 24), Col(140, 100, 40), Col(188, 140, 60), Col(230, 190, 100)};
const Rgba kEyeRed = Col(255, 70, 60);
const Rgba kEyeCore = Col(255, 200, 180);
const Rgba kAmber = Col(255, 176, 60);

struct Look
{
    float bob = 0.0f;       // body rise in pixels
    float wheelTurn = 0.0f; // radians
    float armAngle = 0.6f;  // from straight down, positive forward
    float elbow = 0.4f;
    float eyeShift = 0.0f; // the visor scan, pixels
    bool beacon = true;
    bool angryEye = false;
};

void Treads(Figure& f, const Look& l)
{
    f.BeginPart(kRubber);
    f.Capsule({15, 56}, 6.5f, {47, 56}, 6.5f);
    for (int i = 0; i < 3; ++i)
    {
        const float cx = 18.0f + 13.0f * i, cy = 56.0f;
        for (int k = 0; k < 3; ++k)
        {
            const float a = l.wheelTurn + k * 2.0f * kPi / 3.0f;
            f.Decal(static_cast<int>(cx + 3.0f * std::cos(a)),
                    static_cast<int>(cy + 3.0f * std::sin(a)), Col(120, 124, 140));
        }
        f.Decal(static_cast<int>(cx), static_cast<int>(cy), Col(160, 166, 184));
    }
}

void Brush(Figure& f, const Look& l)
{
    f.BeginPart(kBristle);
    f.Ellipse({54, 57}, 6.0f, 5.0f);
    for (int k = 0; k < 6; ++k)
    {
        const float a = l.wheelTurn * 1.6f + k * kPi / 3.0f;
        f.Decal(static_cast<int>(54 + 4.5f * std::cos(a)),
                static_cast<int>(57 + 3.8f * std::sin(a)), Col(90, 60, 26));
    }
}

void Arm(Figure& f, const Look& l, float y)
{
    const Vec2 shoulder{36, 36 - y};
    const Vec2 elbow = shoulder + DownDir(l.armAngle) * 9.0f;
    const Vec2 hand = elbow + DownDir(l.armAngle + l.elbow) * 8.0f;
    f.BeginPart(kMetal);
    f.Capsule(shoulder, 2.6f, elbow, 2.2f);
    f.Capsule(elbow, 2.2f, hand, 2.0f);
    f.BeginPart(kRubber);
    f.Ellipse(hand, 3.2f, 3.2f);
}

Image Robot(const Look& l)
{
    Figure f(kFrame, kFrame);
    const float y = l.bob;
    // The far arm and the hose sit behind the shell.
    f.BeginPart(kShellFar);
    f.Capsule({14, 40 - y}, 3.0f, {9, 50 - y}, 2.5f);
    Treads(f, l);
    Brush(f, l);
    f.BeginPart(kShell);
    f.Capsule({16, 42 - y}, 12.0f, {44, 42 - y}, 12.0f);
    const int shell = f.CurrentPart();
    f.BeginPart(kMetal);
    f.EllipseInside({30, 48 - y}, 40.0f, 3.0f, shell);
    f.BeginPart(kDome);
    f.Ellipse({33, 27 - y}, 12.0f, 9.0f);
    const int dome = f.CurrentPart();
    f.BeginPart(kRubber);
    f.EllipseInside({37 + l.eyeShift, 26 - y}, 8.0f, 3.0f, dome);
    f.BeginPart(kMetal);
    f.Capsule({28, 19 - y}, 1.0f, {26, 11 - y}, 1.0f);
    Arm(f, l, y);
    Image img = f.Render(pal::kOutline);
    // Hazard trim along the shell's waist.
    for (int x = 8; x < 52; ++x)
        for (int j = 0; j < 3; ++j)
        {
            const int py = static_cast<int>(38 - y) + j;
            if (img.Get(x, py).a == 0 || img.Get(x, py).r < 20) continue;
            img.Set(x, py, ((x + j) / 3) % 2 ? pal::kHazardBlack : pal::kHazardYellow);
        }
    const float ex = 37 + l.eyeShift, ey = 26 - y;
    img.Glow(ex, ey, 9.0f, kEyeRed, l.angryEye ? 0.9f : 0.55f);
    img.FillRect(static_cast<int>(ex) - (l.angryEye ? 5 : 4), static_cast<int>(ey) - 1,
                 l.angryEye ? 10 : 8, 2, kEyeRed);
    img.FillRect(static_cast<int>(ex) - 1, static_cast<int>(ey) - 1, 2, 1, kEyeCore);
    if (l.beacon)
    {
        img.Glow(26, 10 - y, 5.0f, kAmber, 0.9f);
        img.FillCircle(26, 10 - y, 1.6f, Col(255, 230, 170));
    }
    return img;
}

bool Sheets(const std::string& texDir)
{
    std::vector<Image> idle, drive, flick;
    for (int i = 0; i < 2; ++i)
    {
        Look l;
        l.beacon = i == 0;
        l.eyeShift = i == 0 ? -1.0f : 1.0f;
        idle.push_back(Robot(l));
    }
    for (int i = 0; i < 4; ++i)
    {
        Look l;
        l.wheelTurn = i * kPi / 6.0f;
        l.bob = (i % 2) ? 0.6f : 0.0f;
        l.eyeShift = static_cast<float>(i % 4 < 2 ? 1 : 2);
        l.beacon = i < 2;
        drive.push_back(Robot(l));
    }
    const float arm[4][2] = {{0.9f, 0.5f}, {2.0f, 0.3f}, {3.0f, 0.1f}, {2.5f, 0.4f}};
    for (int i = 0; i < 4; ++i)
    {
        Look l;
        l.armAngle = arm[i][0];
        l.elbow = arm[i][1];
        l.angryEye = true;
        l.bob = i == 2 ? 1.0f : 0.0f;
        flick.push_back(Robot(l));
    }
    return WriteSheet(texDir, "RobotIdle", idle) && WriteSheet(texDir, "RobotDrive", drive) &&
           WriteSheet(texDir, "RobotFlick", flick);
}

// A pneumatic kick: a thump, a short spring twang and the hiss of the piston.
Sound FlickSound()
{
    Sound out(1, 0.45f);
    Rng rng(71);
    OnePole body(900.0f);
    BandPass hiss(4200.0f, 1.5f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float noise = rng.Range(-1.0f, 1.0f);
        const float thump = body.Low(noise) * 3.0f * std::exp(-t * 40.0f);
        ph += (420.0f - 260.0f * t) / kRate;
        const float twang = std::sin(6.2831853f * ph) * 0.5f * std::exp(-t * 12.0f);
        const float air = hiss.Process(noise) * 0.5f * Env(t, 0.02f, 0.06f, 0.25f);
        out.s[i] = thump + twang + air;
    }
    Reverb(out, 0.2f, 0.3f);
    Normalize(out, 0.8f);
    return out;
}

// The brush motor: a buzzing saw-tooth with a bristly scrub on top, loud enough to warn.
Sound BuzzSound()
{
    Sound out(1, 2.0f);
    Rng rng(72);
    BandPass scrub(2600.0f, 0.8f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = 96.0f + 6.0f * std::sin(6.2831853f * 3.0f * t);
        ph += hz / kRate;
        const float motor = SawAt(ph, hz, 30) * 0.45f;
        const float brush = scrub.Process(rng.Range(-1.0f, 1.0f)) *
                            (0.35f + 0.25f * std::sin(6.2831853f * 11.0f * t));
        out.s[i] = (motor + brush) * Env(t, 0.05f, 1.7f, 0.25f);
    }
    Normalize(out, 0.6f);
    return out;
}

} // namespace

Image RobotPortrait()
{
    return Robot(Look{});
}

bool MakeRobotArt(const std::string& texDir)
{
    return Sheets(texDir);
}

bool MakeRobotSounds(const std::string& wavDir)
{
    return WriteWav(wavDir + "/robotFlick.wav", FlickSound()) &&
           WriteWav(wavDir + "/RoboCut.wav", BuzzSound());
}
