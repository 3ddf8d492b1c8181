#pragma once
#include <string>

// Writes the stealth effects as WAV files into dir: hiding, capture and
// escape, a guard's suspicious murmur and the EMP burst.
bool MakeStealthSfx(const std::string& dir);
