#pragma once
#include <string>

// Writes the boss (the facility's security core) and its vision cone.
bool MakeBossArt(const std::string& texDir);
// Writes the boss fight's two explosions as WAV.
bool MakeBossSounds(const std::string& wavDir);
