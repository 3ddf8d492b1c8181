// SpriteSheet: the texture-coordinate files that list a sheet's frames, one per line as
// "label = x y w h" (pixels, y from the top of the sheet).
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/Sprite.h"

// Appends one rectangle per well-formed line to out, never growing it beyond maxRects. Blank
// lines are skipped quietly; a malformed line is reported with its number and skipped.
// Returns how many rectangles were appended.
int ParseFrameRects(const std::string& text, const std::string& file, std::vector<FrameRect>& out,
                    size_t maxRects);
