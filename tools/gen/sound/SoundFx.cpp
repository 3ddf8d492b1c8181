#include "sound/SoundFx.h"

#include "kit/Synth.h"

#include <cmath>

namespace
{

constexpr float kTwoPi = 6.28318531f;

// Soft rising hop with a breath of cloth noise.
Sound Jump()
{
    Sound out(1, 0.28f);
    Rng rng(1);
    float ph = 0.0f;
    OnePole hiss(3000.0f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = 260.0f + 520.0f * std::pow(t / 0.28f, 0.6f);
        ph += hz / kRate;
        const float tone = SquareAt(ph, hz, 7) * 0.5f + std::sin(kTwoPi * ph) * 0.5f;
        const float noise = hiss.Low(rng.Range(-1.0f, 1.0f));
        out.s[i] =
            tone * Env(t, 0.01f, 0.05f, 0.2f) * 0.6f + noise * Env(t, 0.005f, 0.0f, 0.12f) * 0.5f;
    }
    Normalize(out, 0.8f);
    return out;
}

// Airy whoosh: band-passed noise sweeping upwards.
Sound Throw()
{
    Sound out(1, 0.35f);
    Rng rng(2);
    BandPass bp(400.0f, 2.0f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        bp.Set(400.0f + 2600.0f * (t / 0.35f), 1.5f);
        out.s[i] = bp.Process(rng.Range(-1.0f, 1.0f)) * Env(t, 0.06f, 0.05f, 0.24f);
    }
    Normalize(out, 0.8f);
    return out;
}

// Empty-handed throw: a dull two-step "nope".
Sound FailThud()
{
    Sound out(1, 0.3f);
    float ph = 0.0f;
    OnePole lp(900.0f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = t < 0.12f ? 196.0f : 147.0f;
        ph += hz / kRate;
        const float env =
            t < 0.12f ? Env(t, 0.005f, 0.06f, 0.05f) : Env(t - 0.12f, 0.005f, 0.06f, 0.11f);
        out.s[i] = lp.Low(SquareAt(ph, hz, 15)) * env;
    }
    Normalize(out, 0.7f);
    return out;
}

// Empty EMP: a short electric fizzle that dies out.
Sound FailFizzle()
{
    Sound out(1, 0.32f);
    Rng rng(3);
    float ph = 0.0f;
    BandPass bp(2400.0f, 3.0f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = 120.0f - 60.0f * t / 0.32f;
        ph += hz / kRate;
        const float crackle = rng.Unit() < 0.08f ? rng.Range(-1.0f, 1.0f) : 0.0f;
        const float buzz = SawAt(ph, hz, 30) * 0.6f + bp.Process(crackle) * 2.0f;
        out.s[i] = buzz * Env(t, 0.004f, 0.08f, 0.22f);
    }
    Normalize(out, 0.7f);
    return out;
}

// Bell-like arpeggio for a reached checkpoint.
Sound Checkpoint()
{
    Sound out(1, 1.0f);
    const float notes[4] = {72, 76, 79, 84};
    for (int n = 0; n < 4; ++n)
    {
        const float hz = MidiHz(notes[n]), start = n * 0.08f;
        for (size_t i = static_cast<size_t>(start * kRate); i < out.Frames(); ++i)
        {
            const float t = static_cast<float>(i) / kRate - start;
            const float bell = std::sin(kTwoPi * hz * t) +
                               0.35f * std::sin(kTwoPi * hz * 2.76f * t) * std::exp(-t * 9.0f) +
                               0.2f * std::sin(kTwoPi * hz * 5.4f * t) * std::exp(-t * 16.0f);
            out.s[i] += bell * std::exp(-t * 4.5f) * std::min(1.0f, t * 400.0f) * 0.25f;
        }
    }
    Reverb(out, 0.25f, 0.8f);
    Normalize(out, 0.75f);
    FadeEdges(out, 0.0f, 0.1f);
    return out;
}

// Quick bright two-note blip for picking up items.
Sound Pickup()
{
    Sound out(1, 0.25f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = t < 0.07f ? MidiHz(81) : MidiHz(88);
        ph += hz / kRate;
        const float v = SquareAt(ph, hz, 9) * 0.4f + std::sin(kTwoPi * ph) * 0.6f;
        out.s[i] =
            v * (t < 0.07f ? Env(t, 0.003f, 0.05f, 0.02f) : Env(t - 0.07f, 0.003f, 0.04f, 0.13f));
    }
    Normalize(out, 0.7f);
    return out;
}

// Caught: a falling laser zap with a wobble.
Sound Laser()
{
    Sound out(1, 0.6f);
    float ph = 0.0f;
    OnePole lp(5000.0f);
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz =
            1400.0f * std::exp(-t * 4.0f) + 90.0f + 40.0f * std::sin(kTwoPi * 18.0f * t);
        ph += hz / kRate;
        out.s[i] = lp.Low(SawAt(ph, hz, 25)) * Env(t, 0.005f, 0.15f, 0.44f);
    }
    Normalize(out, 0.75f);
    return out;
}

// Paper tearing: bursts of crackly band-passed noise.
Sound PaperRip()
{
    Sound out(1, 0.55f);
    Rng rng(7);
    BandPass bp(2200.0f, 0.9f);
    OnePole hp(600.0f);
    float grain = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        if (rng.Unit() < 0.02f) grain = rng.Range(0.3f, 1.0f);
        grain *= 0.997f;
        const float n = rng.Range(-1.0f, 1.0f) * (0.25f + grain);
        const float swell = Env(t, 0.03f, 0.3f, 0.2f);
        out.s[i] = hp.High(bp.Process(n)) * swell * (0.6f + 0.4f * std::sin(kTwoPi * 9.0f * t));
    }
    Normalize(out, 0.8f);
    return out;
}

} // namespace

bool MakeSoundFx(const std::string& dir)
{
    return WriteWav(dir + "/jump.wav", Jump()) && WriteWav(dir + "/throw.wav", Throw()) &&
           WriteWav(dir + "/failthrow.wav", FailThud()) &&
           WriteWav(dir + "/failthrow_emp.wav", FailFizzle()) &&
           WriteWav(dir + "/checkpoint.wav", Checkpoint()) &&
           WriteWav(dir + "/newpickup.wav", Pickup()) && WriteWav(dir + "/laser.wav", Laser()) &&
           WriteWav(dir + "/paperRipNew.wav", PaperRip());
}
