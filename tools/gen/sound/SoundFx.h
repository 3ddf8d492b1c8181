#pragma once
#include <string>

// Writes the short effects as WAV files into dir (the script converts the
// ones shipped as OGG or MP3).
bool MakeSoundFx(const std::string& dir);
