#include "art/BossArt.h"

#include "kit/ArtKit.h"
#include "kit/Figure.h"
#include "kit/Palette.h"
#include "kit/Rng.h"
#include "kit/Synth.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

constexpr int kCore = 128; // 4 x 4 world units
constexpr int kCone = 128;

const Material kArmour{Col(22, 20, 36), Col(44, 40, 66), Col(66, 62, 96), Col(120, 116, 160)};
const Material kPlate{Col(30, 32, 48), Col(58, 62, 84), Col(88, 94, 118), Col(150, 156, 180)};
const Material kLensRim{Col(12, 12, 18), Col(26, 26, 36), Col(40, 40, 54), Col(90, 90, 112)};
const Material kCable{Col(10, 10, 16), Col(24, 22, 34), Col(36, 34, 50), Col(62, 58, 80)};
const Rgba kIris = Col(255, 40, 110);
const Rgba kIrisCore = Col(255, 210, 230);

// The security core: an armoured octagon hung from cables, one great lens in the middle and
// two emitters on its flanks where the cones come out. pulse 0..1 brightens the lens.
Image Core(float pulse)
{
    Figure f(kCore, kCore);
    f.BeginPart(kCable);
    f.Capsule({40, 0}, 3.0f, {46, 30}, 3.0f);
    f.Capsule({88, 0}, 3.0f, {82, 30}, 3.0f);
    f.BeginPart(kArmour);
    f.Capsule({64, 40}, 34.0f, {64, 84}, 34.0f);
    const int armour = f.CurrentPart();
    f.BeginPart(kPlate);
    f.EllipseInside({64, 30}, 30.0f, 10.0f, armour);
    f.EllipseInside({64, 100}, 26.0f, 8.0f, armour);
    f.BeginPart(kPlate);
    f.Ellipse({24, 70}, 10.0f, 12.0f);
    f.Ellipse({104, 70}, 10.0f, 12.0f);
    f.BeginPart(kLensRim);
    f.Ellipse({64, 62}, 22.0f, 22.0f);
    Image img = f.Render(pal::kOutline);
    for (int i = 0; i < 8; ++i) // rivets round the lens
    {
        const float a = i * 0.785398f;
        img.FillCircle(64 + 27 * std::cos(a), 62 + 27 * std::sin(a), 1.3f, Col(150, 156, 180));
    }
    img.Glow(64, 62, 30.0f, kIris, 0.45f + 0.4f * pulse);
    img.FillCircle(64, 62, 15.0f, Col(90, 10, 40));
    img.FillCircle(64, 62, 11.0f, Mix(Col(200, 20, 80), kIris, pulse));
    img.FillCircle(64, 62, 5.0f, kIrisCore);
    img.FillCircle(58, 56, 2.0f, Col(255, 255, 255, 200));
    for (float x : {24.0f, 104.0f})
    {
        img.Glow(x, 70, 12.0f, kIris, 0.5f + 0.3f * pulse);
        img.FillCircle(x, 70, 4.0f, Mix(kIris, kIrisCore, pulse));
    }
    for (int x = 38; x < 90; ++x) // hazard trim on the lower plate
        for (int j = 0; j < 3; ++j)
            if (img.Get(x, 108 + j).a > 0)
                img.Set(x, 108 + j, ((x + j) / 4) % 2 ? pal::kHazardBlack : pal::kHazardYellow);
    return img;
}

void SetLight(Image& img, int x, int y, Rgba c, float alpha)
{
    img.Set(
        x, y,
        Col(c.r, c.g, c.b, static_cast<int>(std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255.0f))));
}

// A cone from the image centre downwards, magenta with scan bands: it turns about its apex.
Image Cone()
{
    Image img(kCone, kCone);
    const float cx = kCone * 0.5f, cy = kCone * 0.5f;
    for (int y = 0; y < kCone; ++y)
        for (int x = 0; x < kCone; ++x)
        {
            const float dy = y + 0.5f - cy, dx = x + 0.5f - cx;
            if (dy <= 0.0f)
            {
                SetLight(img, x, y, Col(0, 0, 0), 0.0f);
                continue;
            }
            const float t = dy / cy;
            const float d = std::fabs(dx) / std::max(0.5f, dy);
            const float r = std::sqrt(dx * dx + dy * dy);
            const Rgba c = Mix(Col(255, 190, 230), Col(230, 40, 140), std::min(1.0f, t * 1.8f));
            const float edge = SmoothStep(1.0f, 0.82f, d);
            const float bands = std::fmod(r, 7.0f) < 1.2f ? 0.1f : 0.0f;
            const float rim = 0.2f * SmoothStep(0.8f, 0.92f, d);
            const float core = 0.26f + 0.32f * std::exp(-t * 5.0f) + bands + rim;
            SetLight(img, x, y, c, core * edge * SmoothStep(0.0f, 0.04f, t));
        }
    return img;
}

// A burst of noise through a falling band-pass, with a low thud under it; long makes the final
// explosion, short the crack of a cone giving out.
Sound Blast(float seconds, float lowHz, float crackle, std::uint32_t seed)
{
    Sound out(1, seconds);
    Rng rng(seed);
    OnePole rumble(lowHz);
    BandPass crack(3000.0f, 1.0f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float n = rng.Range(-1.0f, 1.0f);
        crack.Set(3000.0f * std::exp(-t * 3.0f) + 300.0f, 1.0f);
        ph += (70.0f * std::exp(-t * 2.0f) + 30.0f) / kRate;
        const float low = rumble.Low(n) * 4.0f + std::sin(6.2831853f * ph) * 0.6f;
        const float spark =
            rng.Unit() < crackle * std::exp(-t * 4.0f) ? rng.Range(-1.0f, 1.0f) : 0.0f;
        out.s[i] = (low * Env(t, 0.005f, 0.05f, seconds * 0.8f) +
                    crack.Process(n) * 0.8f * std::exp(-t * 6.0f) + spark * 0.6f);
    }
    Reverb(out, 0.35f, 0.7f);
    Normalize(out, 0.85f);
    return out;
}

} // namespace

bool MakeBossArt(const std::string& texDir)
{
    return WriteSheet(texDir, "BossCore", {Core(0.0f), Core(0.5f), Core(1.0f), Core(0.5f)}) &&
           Cone().SavePng(texDir + "/BossCone.png");
}

bool MakeBossSounds(const std::string& wavDir)
{
    return WriteWav(wavDir + "/explosionFOV.wav", Blast(0.9f, 600.0f, 0.08f, 81)) &&
           WriteWav(wavDir + "/explosion.wav", Blast(2.6f, 300.0f, 0.04f, 82));
}
