#include "sound/MenuSounds.h"

#include "kit/Synth.h"

#include <cmath>

namespace
{
constexpr float kTwoPi = 6.28318531f;

// A soft relay tick: the terminal noticing the pointer.
Sound Hover()
{
    Sound out(1, 0.07f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        ph += 1760.0f / kRate;
        out.s[i] = (std::sin(kTwoPi * ph) * 0.7f + SquareAt(ph, 1760.0f, 5) * 0.3f) *
                   Env(t, 0.002f, 0.01f, 0.05f);
    }
    Normalize(out, 0.6f);
    return out;
}

// Two rising terminal beeps: accepted.
Sound Select()
{
    Sound out(1, 0.2f);
    float ph = 0.0f;
    for (size_t i = 0; i < out.Frames(); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float hz = t < 0.07f ? 988.0f : 1319.0f;
        ph += hz / kRate;
        const float env =
            t < 0.07f ? Env(t, 0.003f, 0.04f, 0.025f) : Env(t - 0.07f, 0.003f, 0.05f, 0.07f);
        out.s[i] = (SquareAt(ph, hz, 9) * 0.45f + std::sin(kTwoPi * ph) * 0.55f) * env;
    }
    Normalize(out, 0.7f);
    return out;
}
} // namespace

bool MakeMenuSounds(const std::string& dir)
{
    return WriteWav(dir + "/button.wav", Hover()) && WriteWav(dir + "/select.wav", Select());
}
