#pragma once
#include <string>

// Draws a level (tiles and placed objects, first frame of each sprite) to a
// PNG at 16 px per unit, so a layout can be looked at without the game.
bool RenderLevelPreview(const std::string& data, const std::string& level,
                        const std::string& outPng);
