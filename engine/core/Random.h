// Random: the game's one seedable pseudo-random source. Everything that would have called rand()
// draws from here so that a run is reproducible from its seed and its input.
#pragma once

#include <cstdint>

namespace Random
{
constexpr uint32_t kDefaultSeed = 20261207u;
constexpr int kMax = 0x7fffffff;

void Seed(uint32_t seed);
// A value in [0, kMax], like rand().
int Next();
} // namespace Random
