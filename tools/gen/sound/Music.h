#pragma once
#include <string>

// Writes the two music loops as stereo WAV files into dir.
bool MakeMusic(const std::string& dir);
