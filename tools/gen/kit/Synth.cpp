#include "kit/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace
{
constexpr float kTwoPi = 6.28318531f;
}

void Sound::Add(size_t frame, float v, float pan)
{
    if (frame >= Frames()) return;
    if (channels == 1)
    {
        s[frame] += v;
        return;
    }
    const float l = std::sqrt(0.5f * (1.0f - pan)), r = std::sqrt(0.5f * (1.0f + pan));
    s[frame * 2] += v * l;
    s[frame * 2 + 1] += v * r;
}

float MidiHz(float note)
{
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

float SawAt(float phase, float hz, int maxHarmonics)
{
    float v = 0.0f;
    for (int k = 1; k <= maxHarmonics && k * hz < kRate * 0.45f; ++k)
        v += std::sin(kTwoPi * phase * k) / static_cast<float>(k);
    return v * 0.55f;
}

float SquareAt(float phase, float hz, int maxHarmonics)
{
    float v = 0.0f;
    for (int k = 1; k <= maxHarmonics && k * hz < kRate * 0.45f; k += 2)
        v += std::sin(kTwoPi * phase * k) / static_cast<float>(k);
    return v * 0.8f;
}

float Env(float t, float attack, float hold, float release)
{
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    t -= attack;
    if (t < hold) return 1.0f;
    t -= hold;
    if (t < release) return std::exp(-5.0f * t / release) * (1.0f - t / release);
    return 0.0f;
}

void OnePole::Set(float cutoffHz)
{
    a_ = 1.0f - std::exp(-kTwoPi * cutoffHz / kRate);
}

float OnePole::Low(float x)
{
    z_ += a_ * (x - z_);
    return z_;
}

void BandPass::Set(float hz, float q)
{
    f_ = 2.0f * std::sin(3.14159265f * std::min(hz, kRate * 0.2f) / kRate);
    q_ = 1.0f / std::max(q, 0.5f);
}

float BandPass::Process(float x)
{
    low_ += f_ * band_;
    const float high = x - low_ - q_ * band_;
    band_ += f_ * high;
    return band_;
}

void Pluck(Sound& out, float startSec, float hz, float seconds, float gain, float pan, float damp,
           Rng& rng)
{
    const size_t period = std::max<size_t>(2, static_cast<size_t>(kRate / hz));
    std::vector<float> line(period);
    OnePole soft(hz * 6.0f);
    for (float& v : line) v = soft.Low(rng.Range(-1.0f, 1.0f));
    const size_t start = static_cast<size_t>(startSec * kRate);
    const size_t n = static_cast<size_t>(seconds * kRate);
    float prev = 0.0f;
    for (size_t i = 0; i < n; ++i)
    {
        const size_t k = i % period;
        const float cur = line[k];
        line[k] = damp * 0.5f * (cur + prev);
        prev = cur;
        const float fade = i + 400 > n ? static_cast<float>(n - i) / 400.0f : 1.0f;
        out.Add(start + i, cur * gain * fade, pan);
    }
}

namespace
{
struct Comb
{
    std::vector<float> buf;
    size_t i = 0;
    float fb, damp, z = 0.0f;
    float Process(float x)
    {
        const float y = buf[i];
        z = y * (1.0f - damp) + z * damp;
        buf[i] = x + z * fb;
        i = (i + 1) % buf.size();
        return y;
    }
};
struct AllPass
{
    std::vector<float> buf;
    size_t i = 0;
    float Process(float x)
    {
        const float b = buf[i];
        buf[i] = x + b * 0.5f;
        i = (i + 1) % buf.size();
        return b - x;
    }
};
} // namespace

void Reverb(Sound& snd, float mix, float size)
{
    const int combLen[4] = {1116, 1188, 1277, 1356};
    const int apLen[2] = {556, 441};
    for (int ch = 0; ch < snd.channels; ++ch)
    {
        std::vector<Comb> combs;
        for (int k = 0; k < 4; ++k)
        {
            const size_t len = static_cast<size_t>((combLen[k] + ch * 23) * 0.5f * size) + 1;
            combs.push_back(Comb{std::vector<float>(len, 0.0f), 0, 0.8f, 0.3f});
        }
        std::vector<AllPass> aps;
        for (int k = 0; k < 2; ++k)
            aps.push_back(
                AllPass{std::vector<float>(static_cast<size_t>(apLen[k] * 0.5f) + 1, 0.0f)});
        for (size_t f = 0; f < snd.Frames(); ++f)
        {
            float& x = snd.s[f * static_cast<size_t>(snd.channels) + static_cast<size_t>(ch)];
            float wet = 0.0f;
            for (Comb& c : combs) wet += c.Process(x * 0.25f);
            for (AllPass& a : aps) wet = a.Process(wet);
            x = x * (1.0f - mix * 0.5f) + wet * mix;
        }
    }
}

void Normalize(Sound& snd, float peak)
{
    float m = 1e-6f;
    for (float v : snd.s) m = std::max(m, std::fabs(v));
    for (float& v : snd.s) v *= peak / m;
}

void FadeEdges(Sound& snd, float inSec, float outSec)
{
    const size_t n = snd.Frames();
    const size_t fi = static_cast<size_t>(inSec * kRate), fo = static_cast<size_t>(outSec * kRate);
    for (size_t f = 0; f < n; ++f)
    {
        float g = 1.0f;
        if (f < fi) g = static_cast<float>(f) / static_cast<float>(fi);
        if (f + fo > n) g = std::min(g, static_cast<float>(n - f) / static_cast<float>(fo));
        for (int c = 0; c < snd.channels; ++c)
            snd.s[f * static_cast<size_t>(snd.channels) + static_cast<size_t>(c)] *= g;
    }
}

void WrapTail(Sound& snd, size_t frames)
{
    const size_t ch = static_cast<size_t>(snd.channels);
    for (size_t i = frames * ch; i < snd.s.size(); ++i) snd.s[i % (frames * ch)] += snd.s[i];
    snd.s.resize(frames * ch);
}

bool WriteWav(const std::string& path, const Sound& snd)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    auto u32 = [f](std::uint32_t v)
    {
        const unsigned char b[4] = {
            static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
            static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [f](std::uint16_t v)
    {
        const unsigned char b[2] = {static_cast<unsigned char>(v),
                                    static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const std::uint32_t ch = static_cast<std::uint32_t>(snd.channels);
    const std::uint32_t bytes = static_cast<std::uint32_t>(snd.s.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(ch));
    u32(kRate);
    u32(kRate * ch * 2);
    u16(static_cast<std::uint16_t>(ch * 2));
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(bytes);
    for (float v : snd.s)
        u16(static_cast<std::uint16_t>(
            static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f))));
    return std::fclose(f) == 0;
}
