#pragma once
#include <string>

#include "kit/Image.h"

// Writes the security guard's pose sheets and their coordinate files.
bool MakeGuardArt(const std::string& texDir);
// A guard standing (the first idle frame), for the dialog portrait.
Image GuardPortrait();
