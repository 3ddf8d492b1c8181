#pragma once
#include <string>

// Story and level-flow art: the dialog panel, the curtain shutter, the exit lift, the moving
// floor, the two ZentoTech sign pictures and the cutscene stand-ins.
bool MakeStoryArt(const std::string& texDir);
// The lift's teleporter hum, as WAV.
bool MakeStorySounds(const std::string& wavDir);
