// Tiny offline synthesiser: float buffers, oscillators, filters, a room
// reverb and a 16-bit WAV writer. Everything is deterministic.
#pragma once
#include "kit/Rng.h"

#include <string>
#include <vector>

constexpr int kRate = 22050;

struct Sound
{
    int channels = 1;
    std::vector<float> s; // interleaved

    explicit Sound(int ch = 1, float seconds = 0.0f)
        : channels(ch), s(static_cast<size_t>(seconds * kRate) * static_cast<size_t>(ch), 0.0f)
    {
    }
    size_t Frames() const { return s.size() / static_cast<size_t>(channels); }
    // Adds a mono value at a frame with a pan from -1 (left) to 1 (right).
    void Add(size_t frame, float v, float pan = 0.0f);
};

float MidiHz(float note);
// Band-limited shapes built from harmonics below the Nyquist limit.
float SawAt(float phase, float hz, int maxHarmonics = 40);
float SquareAt(float phase, float hz, int maxHarmonics = 40);

// Attack/decay envelope; 0 outside [0, attack + hold + release].
float Env(float t, float attack, float hold, float release);

class OnePole
{
  public:
    explicit OnePole(float cutoffHz) { Set(cutoffHz); }
    void Set(float cutoffHz);
    float Low(float x);
    float High(float x) { return x - Low(x); }

  private:
    float a_ = 0.0f, z_ = 0.0f;
};

// Chamberlin state-variable filter, band-pass output.
class BandPass
{
  public:
    BandPass(float hz, float q) { Set(hz, q); }
    void Set(float hz, float q);
    float Process(float x);

  private:
    float f_ = 0.0f, q_ = 1.0f, low_ = 0.0f, band_ = 0.0f;
};

// Plucked string (Karplus-Strong) added into the sound.
void Pluck(Sound& out, float startSec, float hz, float seconds, float gain, float pan, float damp,
           Rng& rng);

void Reverb(Sound& snd, float mix, float size);
void Normalize(Sound& snd, float peak);
void FadeEdges(Sound& snd, float inSec, float outSec);
// Folds everything past `frames` back onto the start, for seamless loops.
void WrapTail(Sound& snd, size_t frames);
bool WriteWav(const std::string& path, const Sound& snd);
