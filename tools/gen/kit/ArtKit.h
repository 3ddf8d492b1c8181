// Helpers shared by the sprite painters: the 2x pixel upscale every sprite
// ships at, sprite sheets with their coordinate files, and simple transforms.
#pragma once
#include "kit/Figure.h"
#include "kit/Image.h"

#include <string>
#include <vector>

constexpr int kArtUpscale = 2; // art is drawn at 32 px per unit, shipped at 64

// Saves img scaled up by kArtUpscale as texDir/name.png.
bool SaveArt(const Image& img, const std::string& texDir, const std::string& name);

// Lays equally sized frames side by side, saves them upscaled as name.png and
// writes name.txt with one "<name><i> = x y w h" line per frame.
bool WriteSheet(const std::string& texDir, const std::string& name,
                const std::vector<Image>& frames);

// Rotates (radians, clockwise on screen) and scales src around pivot, sampling
// the nearest pixel so the art stays crisp.
Image Transformed(const Image& src, Vec2 pivot, float angle, float scale);

// Smooth 0..1 ramp as x goes from e0 to e1.
float SmoothStep(float e0, float e1, float x);
