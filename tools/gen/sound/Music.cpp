#include "sound/Music.h"

#include "kit/Synth.h"

#include <cmath>
#include <vector>

namespace
{

constexpr float kTwoPi = 6.28318531f;

struct Note
{
    float beat, len, midi, vel;
};

struct Song
{
    float bpm;
    int beats;
    float Sec(float beat) const { return beat * 60.0f / bpm; }
};

void Mallet(Sound& out, float start, float hz, float gain, float pan)
{
    const size_t s0 = static_cast<size_t>(start * kRate), n = static_cast<size_t>(1.6f * kRate);
    for (size_t i = 0; i < n; ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        const float trem = 1.0f + 0.12f * std::sin(kTwoPi * 5.5f * t);
        const float v = std::sin(kTwoPi * hz * t) * std::exp(-t * 2.6f) +
                        0.3f * std::sin(kTwoPi * hz * 4.0f * t) * std::exp(-t * 14.0f) +
                        0.08f * std::sin(kTwoPi * hz * 9.9f * t) * std::exp(-t * 30.0f);
        out.Add(s0 + i, v * trem * gain * std::min(1.0f, t * 600.0f), pan);
    }
}

// Filtered, slightly detuned saw pair; `bright` opens the filter.
void SawVoice(Sound& out, float start, float len, float hz, float gain, float pan, float bright,
              float attack)
{
    const size_t s0 = static_cast<size_t>(start * kRate);
    const size_t n = static_cast<size_t>((len + 0.4f) * kRate);
    OnePole lp(hz * bright), lp2(hz * bright * 1.5f);
    float p1 = 0.0f, p2 = 0.37f;
    for (size_t i = 0; i < n; ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        p1 += hz * 1.003f / kRate;
        p2 += hz * 0.997f / kRate;
        const float v = lp2.Low(lp.Low(SawAt(p1, hz, 24) + SawAt(p2, hz, 24)));
        out.Add(s0 + i, v * Env(t, attack, std::max(0.0f, len - attack), 0.4f) * gain, pan);
    }
}

void Kick(Sound& out, float start, float gain)
{
    const size_t s0 = static_cast<size_t>(start * kRate);
    float ph = 0.0f;
    for (size_t i = 0; i < static_cast<size_t>(0.25f * kRate); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        ph += (45.0f + 90.0f * std::exp(-t * 30.0f)) / kRate;
        out.Add(s0 + i, std::sin(kTwoPi * ph) * std::exp(-t * 14.0f) * gain);
    }
}

void Noise(Sound& out, float start, float dur, float hz, float q, float gain, float pan, Rng& rng)
{
    const size_t s0 = static_cast<size_t>(start * kRate);
    BandPass bp(hz, q);
    for (size_t i = 0; i < static_cast<size_t>(dur * kRate); ++i)
    {
        const float t = static_cast<float>(i) / kRate;
        out.Add(s0 + i, bp.Process(rng.Range(-1.0f, 1.0f)) * std::exp(-t * 5.0f / dur) * gain, pan);
    }
}

void Chords(Sound& out, const Song& song, const std::vector<std::vector<float>>& bars, float gain,
            float bright)
{
    for (size_t b = 0; b < bars.size(); ++b)
        for (size_t k = 0; k < bars[b].size(); ++k)
            SawVoice(out, song.Sec(b * 4.0f), song.Sec(4.0f) - 0.05f, MidiHz(bars[b][k]), gain,
                     -0.5f + static_cast<float>(k) * 0.5f, bright, 0.35f);
}

// Sneaky night loop: tiptoe plucked bass, vibraphone tune, soft brushes.
Sound NightLoop()
{
    const Song song{112.0f, 64};
    const float loop = song.Sec(static_cast<float>(song.beats));
    Sound out(2, loop + 3.0f);
    Rng rng(21);
    const float roots[16] = {38, 38, 34, 33, 38, 38, 31, 33, 34, 34, 31, 31, 38, 34, 33, 33};
    for (int b = 0; b < 16; ++b)
    {
        const float r = roots[b], next = roots[(b + 1) % 16];
        const float line[4] = {r, r + 7, r + 12, next - 1};
        for (int k = 0; k < 4; ++k)
            Pluck(out, song.Sec(b * 4.0f + k), MidiHz(line[k]), 0.35f, k == 0 ? 0.55f : 0.4f, -0.1f,
                  0.996f, rng);
    }
    const std::vector<Note> tune = {
        {1, .5, 69, 1},      {2, .5, 65, .8},    {2.5, .5, 64, .8},  {3, 1, 62, 1},
        {4.5, .5, 69, .9},   {5, .5, 70, .8},    {5.5, .5, 69, .8},  {6, 1, 67, 1},
        {7, .5, 64, .7},     {8, 1, 65, 1},      {9, .5, 62, .8},    {9.5, .5, 65, .8},
        {10, 1.5, 70, 1},    {12, .5, 69, .9},   {13, .5, 67, .8},   {13.5, .5, 65, .8},
        {14, .5, 64, .8},    {14.5, 1.5, 61, 1}, {17, .5, 69, 1},    {18, .5, 65, .8},
        {18.5, .5, 64, .8},  {19, 1, 62, 1},     {20.5, .5, 69, .9}, {21, .5, 72, .9},
        {21.5, .5, 70, .8},  {22, .5, 69, .8},   {22.5, .5, 67, .8}, {23, .5, 65, .8},
        {24, 1, 67, 1},      {25, .5, 70, .8},   {25.5, .5, 74, .9}, {26, .5, 72, .8},
        {26.5, .5, 70, .8},  {27, 1, 69, 1},     {28, .5, 64, .8},   {29, .5, 73, 1},
        {30, 2, 69, 1},      {32, 1.5, 74, 1},   {33.5, .5, 72, .8}, {34, 2, 70, 1},
        {36, 2, 65, .9},     {40, .5, 67, .8},   {40.5, .5, 69, .8}, {41, 1, 70, .9},
        {42, 1.5, 74, 1},    {44, .5, 72, .8},   {44.5, .5, 70, .8}, {45, .5, 69, .8},
        {45.5, 2.5, 67, .9}, {49, .5, 69, 1},    {50, .5, 65, .8},   {50.5, .5, 64, .8},
        {51, .5, 62, .8},    {51.5, .5, 65, .8}, {52, 1, 74, 1},     {54, .5, 70, .8},
        {54.5, .5, 69, .8},  {55, 1, 67, .9},    {56, .5, 69, .9},   {57, .5, 64, .8},
        {58, .5, 67, .8},    {58.5, .5, 65, .8}, {59, .5, 64, .8},   {60, 1, 61, 1}};
    for (const Note& n : tune) Mallet(out, song.Sec(n.beat), MidiHz(n.midi), 0.22f * n.vel, 0.25f);
    const std::vector<float> dm{50, 53, 57}, bb{46, 50, 53}, a{45, 49, 52}, gm{43, 46, 50};
    Chords(out, song, {dm, dm, bb, a, dm, dm, gm, a, bb, bb, gm, gm, dm, bb, a, a}, 0.035f, 3.0f);
    for (int beat = 0; beat < song.beats; ++beat)
    {
        const float t = song.Sec(static_cast<float>(beat));
        Noise(out, t + song.Sec(0.5f), 0.05f, 7000.0f, 1.0f, 0.10f, 0.4f, rng);
        Noise(out, t, 0.03f, 8000.0f, 1.0f, 0.05f, 0.4f, rng);
        if (beat % 4 == 0 || beat % 4 == 2)
            Kick(out, t + (beat % 4 == 2 ? song.Sec(0.5f) : 0.0f), 0.35f);
        if (beat % 2 == 1) Noise(out, t, 0.06f, 1800.0f, 4.0f, 0.25f, -0.3f, rng);
    }
    Reverb(out, 0.35f, 1.2f);
    WrapTail(out, static_cast<size_t>(loop * kRate));
    Normalize(out, 0.85f);
    return out;
}

// Boss loop: driving sixteenth ostinato, stabs and a heavy beat.
Sound BossLoop()
{
    const Song song{140.0f, 64};
    const float loop = song.Sec(static_cast<float>(song.beats));
    Sound out(2, loop + 3.0f);
    Rng rng(33);
    const float roots[16] = {40, 40, 40, 40, 41, 41, 40, 40, 36, 36, 35, 35, 40, 40, 41, 35};
    const float pattern[16] = {0, 0, 12, 0, 1, 0, 12, 0, 0, 0, 12, 0, 3, 0, 1, 0};
    for (int b = 0; b < 16; ++b)
        for (int k = 0; k < 16; ++k)
            SawVoice(out, song.Sec(b * 4.0f + k * 0.25f), song.Sec(0.18f),
                     MidiHz(roots[b] + pattern[k]), k % 4 == 0 ? 0.16f : 0.11f, 0.0f,
                     4.0f + (k % 4 == 0 ? 2.0f : 0.0f), 0.005f);
    const std::vector<Note> lead = {{0, 3, 64, 1},  {3, 1, 65, 1},  {4, 4, 67, 1},  {8, 2, 71, 1},
                                    {10, 2, 70, 1}, {12, 4, 67, 1}, {16, 3, 65, 1}, {19, 1, 64, 1},
                                    {20, 4, 65, 1}, {24, 4, 64, 1}, {28, 4, 59, 1}, {32, 3, 60, 1},
                                    {35, 1, 62, 1}, {36, 4, 64, 1}, {40, 3, 63, 1}, {43, 1, 66, 1},
                                    {44, 4, 71, 1}, {48, 3, 76, 1}, {51, 1, 74, 1}, {52, 4, 71, 1},
                                    {56, 4, 77, 1}, {60, 4, 75, 1}};
    for (const Note& n : lead)
        SawVoice(out, song.Sec(n.beat), song.Sec(n.len) - 0.05f, MidiHz(n.midi), 0.07f, 0.3f, 5.0f,
                 0.08f);
    const std::vector<float> em{52, 55, 59}, f{53, 57, 60}, c{48, 52, 55}, b{47, 51, 54};
    Chords(out, song, {em, em, em, em, f, f, em, em, c, c, b, b, em, em, f, b}, 0.03f, 2.5f);
    for (int beat = 0; beat < song.beats; ++beat)
    {
        const float t = song.Sec(static_cast<float>(beat));
        Kick(out, t, 0.6f);
        if (beat % 4 == 3) Kick(out, t + song.Sec(0.5f), 0.4f);
        if (beat % 2 == 1) Noise(out, t, 0.16f, 1500.0f, 0.8f, 0.45f, 0.1f, rng);
        for (int k = 0; k < 4; ++k)
            Noise(out, t + song.Sec(k * 0.25f), 0.03f, 8500.0f, 1.0f, k % 2 ? 0.07f : 0.11f, -0.4f,
                  rng);
    }
    Reverb(out, 0.25f, 1.0f);
    WrapTail(out, static_cast<size_t>(loop * kRate));
    Normalize(out, 0.85f);
    return out;
}

} // namespace

bool MakeMusic(const std::string& dir)
{
    return WriteWav(dir + "/backgroundmusic.wav", NightLoop()) &&
           WriteWav(dir + "/newbossFinal.wav", BossLoop());
}
