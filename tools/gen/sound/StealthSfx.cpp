#include "sound/StealthSfx.h"

#include "kit/Synth.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kTwoPi = 6.28318531f;

// Struck sheet metal: a few inharmonic partials that die away fast.
float Clank(float t, float pitch)
{
    if (t < 0.0f) return 0.0f;
    const float partials[4][3] = {
        {1.0f, 1.0f, 18.0f}, {2.71f, 0.6f, 26.0f}, {4.43f, 0.4f, 34.0f}, {6.9f, 0.25f, 45.0f}};
    float v = 0.0f;
    for (const auto& p : partials)
        v += p[1] * std::sin(kTwoPi * pitch * p[0] * t) * std::exp(-t * p[2]);
    return v * std::min(1.0f, t * 2000.0f);
}

// Climbing into the trash can: lid clank, a smaller bounce, then rustling.
Sound Hide()
{
    Sound out(1, 0.42f);
    Rng rng(21);
    BandPass rustle(1800.0f, 0.8f);
    OnePole thud(260.0f);
    float grain = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float n = rng.Range(-1.0f, 1.0f);
        float v = Clank(t, 410.0f) * 0.7f + Clank(t - 0.11f, 430.0f) * 0.3f;
        v += thud.Low(n) * 3.0f * Env(t, 0.001f, 0.0f, 0.06f); // lid weight
        if (rng.Unit() < 0.01f) grain = rng.Range(0.4f, 1.0f);
        grain *= 0.996f;
        v += rustle.Process(n) * (0.2f + grain) * Env(t - 0.08f, 0.04f, 0.14f, 0.16f) * 0.9f;
        out.s[i] = v;
    }
    Normalize(out, 0.7f);
    FadeEdges(out, 0.002f, 0.04f);
    return out;
}

// Capture: a buzzing whoosh climbing into the ball, shut with a click.
Sound Capture()
{
    Sound out(1, 0.72f);
    Rng rng(22);
    BandPass whoosh(300.0f, 2.0f);
    OnePole soft(4200.0f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float k = std::min(1.0f, t / 0.6f);
        const float hz = 180.0f * std::pow(9.0f, k);
        ph += (hz + 40.0f * std::sin(kTwoPi * 31.0f * t)) / kRate;
        const float zap =
            soft.Low(SawAt(ph, hz, 20)) * (0.6f + 0.4f * std::sin(kTwoPi * 24.0f * t));
        whoosh.Set(400.0f + 3000.0f * k, 1.6f);
        const float air = whoosh.Process(rng.Range(-1.0f, 1.0f));
        const float swell = Env(t, 0.3f, 0.25f, 0.06f);
        float v = (zap * 0.45f + air * 0.9f) * swell;
        const float tc = t - 0.63f; // the latch
        if (tc >= 0.0f)
            v += (std::sin(kTwoPi * 2100.0f * tc) * 0.6f + (tc < 0.002f ? 1.0f : 0.0f)) *
                 std::exp(-tc * 70.0f);
        out.s[i] = v;
    }
    Normalize(out, 0.72f);
    FadeEdges(out, 0.004f, 0.02f);
    return out;
}

// Breaking free: a soft pop and a falling sprinkle. It repeats over several
// frames, so it stays short and round rather than bright.
Sound Escape()
{
    Sound out(1, 0.3f);
    Rng rng(23);
    OnePole lp(1500.0f);
    float ph = 0.0f;
    const float notes[5] = {2400.0f, 1900.0f, 1600.0f, 1250.0f, 1000.0f};
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        ph += (70.0f + 170.0f * std::exp(-t * 40.0f)) / kRate;
        float v = std::sin(kTwoPi * ph) * Env(t, 0.002f, 0.01f, 0.07f);
        v += lp.Low(rng.Range(-1.0f, 1.0f)) * Env(t, 0.001f, 0.0f, 0.03f) * 0.8f;
        for (int n = 0; n < 5; ++n)
        {
            const float tn = t - 0.04f - n * 0.035f;
            if (tn > 0.0f)
                v += std::sin(kTwoPi * notes[n] * tn) * std::exp(-tn * 38.0f) *
                     std::min(1.0f, tn * 800.0f) * 0.22f;
        }
        out.s[i] = v;
    }
    Normalize(out, 0.55f);
    FadeEdges(out, 0.002f, 0.03f);
    return out;
}

// A guard's closed-mouth "hmm?": a buzzy voice source through nasal formants,
// pitch lifting at the end like a question.
Sound Murmur()
{
    Sound out(1, 0.62f);
    Rng rng(24);
    BandPass nasal(260.0f, 3.0f), mid(1050.0f, 5.0f), high(2400.0f, 6.0f);
    OnePole breath(900.0f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float lift = t < 0.34f ? 0.0f : std::pow((t - 0.34f) / 0.28f, 1.5f);
        const float hz =
            112.0f * (1.0f + 0.5f * lift) * (1.0f + 0.012f * std::sin(kTwoPi * 5.5f * t));
        ph += hz / kRate;
        const float src = SawAt(ph, hz, 30) + breath.Low(rng.Range(-1.0f, 1.0f)) * 0.3f;
        const float voice =
            nasal.Process(src) * 1.0f + mid.Process(src) * 0.22f + high.Process(src) * 0.07f;
        // One breath with a slight dip before the questioning lift.
        const float dip = 1.0f - 0.35f * std::exp(-std::pow((t - 0.3f) / 0.04f, 2.0f));
        const float amp = Env(t, 0.07f, 0.42f, 0.12f) * dip * (0.8f + 0.3f * lift);
        out.s[i] = voice * amp;
    }
    Normalize(out, 0.7f);
    FadeEdges(out, 0.01f, 0.05f);
    return out;
}

// EMP going off: a falling zap, then mains-hum buzz that sputters out with
// crackling sparks.
Sound EmpBurst()
{
    Sound out(1, 0.82f);
    Rng rng(25);
    BandPass crackle(3200.0f, 2.5f);
    OnePole hum(2200.0f);
    float zph = 0.0f, bph = 0.0f, gate = 1.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float zhz = 90.0f + 2200.0f * std::exp(-t * 22.0f);
        zph += zhz / kRate;
        bph += 118.0f / kRate;
        if (i % 441 == 0) gate = rng.Unit() < 0.25f + 0.6f * (1.0f - t) ? 1.0f : 0.25f; // sputter
        const float buzz =
            hum.Low(SquareAt(bph, 118.0f, 25) + SawAt(bph * 2.0f, 236.0f, 15) * 0.5f);
        const float spark = rng.Unit() < 0.03f + 0.05f * (1.0f - t) ? rng.Range(-1.0f, 1.0f) : 0.0f;
        float v = SawAt(zph, zhz, 25) * Env(t, 0.002f, 0.03f, 0.18f) * 0.8f;
        v += buzz * gate * Env(t - 0.03f, 0.03f, 0.45f, 0.3f) * 0.5f;
        v += crackle.Process(spark) * 3.0f * Env(t, 0.001f, 0.55f, 0.25f);
        out.s[i] = v;
    }
    Normalize(out, 0.72f);
    FadeEdges(out, 0.003f, 0.06f);
    return out;
}

} // namespace

bool MakeStealthSfx(const std::string& dir)
{
    return WriteWav(dir + "/hide.wav", Hide()) &&
           WriteWav(dir + "/pokeballCapture.wav", Capture()) &&
           WriteWav(dir + "/pokeballEscape.wav", Escape()) &&
           WriteWav(dir + "/mmm.wav", Murmur()) && WriteWav(dir + "/empsound.wav", EmpBurst());
}
