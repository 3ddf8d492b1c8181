#pragma once
#include <string>

// Sky, skyline, fence, lamp post and its light, exit door and aim marker.
bool MakeSceneryArt(const std::string& texDir);
