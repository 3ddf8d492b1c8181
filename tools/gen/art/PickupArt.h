#pragma once
#include <string>

// Writes the capture ball, the EMP, their charging stations and upgrade
// blueprints, and the checkpoint beacon (off and on).
bool MakePickupArt(const std::string& texDir);
