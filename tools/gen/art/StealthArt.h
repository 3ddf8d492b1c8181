#pragma once
#include <string>

// Writes the stealth props: guard and camera light cones, the camera and its
// wall plate, and the trash can players hide in (empty and occupied).
bool MakeStealthArt(const std::string& texDir);
