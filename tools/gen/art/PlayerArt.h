#pragma once
#include <string>

#include "kit/Image.h"

// Writes the player's pose sheets and their coordinate files into texDir.
bool MakePlayerArt(const std::string& texDir);
// The hero standing (her first idle frame), for the dialog portrait.
Image PlayerPortrait();

// Writes the 32 x 32 window icon as a 32-bit BMP.
bool MakeIcon(const std::string& bmpPath);
// The same badge for the desktop's menus: dir/<N>x<N>/name.png for the hicolor theme's sizes
// 16 to 256 (the folders must exist).
bool MakeDesktopIcons(const std::string& dir, const std::string& name);
