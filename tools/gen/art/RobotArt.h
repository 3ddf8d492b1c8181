#pragma once
#include <string>

#include "kit/Image.h"

// Writes the cleaning robot's three sheets (standing, driving, flicking) with their
// coordinate files.
bool MakeRobotArt(const std::string& texDir);
// The robot at rest, its beacon lit, for the dialog portrait.
Image RobotPortrait();
// Writes the robot's sounds as WAV: the flick and the brush motor's buzz.
bool MakeRobotSounds(const std::string& wavDir);
