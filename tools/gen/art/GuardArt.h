#pragma once
#include <string>

// Writes the security guard's pose sheets and their coordinate files.
bool MakeGuardArt(const std::string& texDir);
