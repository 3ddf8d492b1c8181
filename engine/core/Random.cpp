#include "engine/core/Random.h"

namespace
{
uint64_t g_state = 0x853c49e6748fea9bull ^ Random::kDefaultSeed;

// splitmix64: small, fast and good enough for wobble and shake.
uint64_t Step()
{
    uint64_t z = (g_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}
} // namespace

void Random::Seed(uint32_t seed)
{
    g_state = 0x853c49e6748fea9bull ^ seed;
}

int Random::Next()
{
    return static_cast<int>(Step() >> 33);
}
