// Small deterministic generator: every asset seeds its own so output never
// depends on the order in which assets are made.
#pragma once
#include <cstdint>

class Rng
{
  public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t Next()
    {
        std::uint32_t x = state_;
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        state_ = x;
        return x;
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    int Int(int lo, int hiInclusive)
    {
        const std::uint32_t span = static_cast<std::uint32_t>(hiInclusive - lo + 1);
        return lo + static_cast<int>(Next() % span);
    }

  private:
    std::uint32_t state_;
};

// Stateless hash noise for tileable patterns.
inline std::uint32_t Hash2(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2du) ^
                      (static_cast<std::uint32_t>(y) * 0x165667b1u);
    h ^= h >> 15;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

inline float HashUnit(int x, int y, std::uint32_t seed)
{
    return static_cast<float>(Hash2(x, y, seed) >> 8) / 16777216.0f;
}
