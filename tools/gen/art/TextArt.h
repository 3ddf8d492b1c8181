#pragma once
#include <string>

// The title logo and the "press L" hint, drawn from built-in pixel letters.
bool MakeTextArt(const std::string& texDir);
