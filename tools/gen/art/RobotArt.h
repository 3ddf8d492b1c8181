#pragma once
#include <string>

// Writes the cleaning robot's three sheets (standing, driving, flicking) with their
// coordinate files.
bool MakeRobotArt(const std::string& texDir);
// Writes the robot's sounds as WAV: the flick and the brush motor's buzz.
bool MakeRobotSounds(const std::string& wavDir);
