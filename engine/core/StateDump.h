// StateDump: a JSON snapshot of the running game, written at shut-down by --dump. Tests and
// replays compare these; keep the format stable and only add keys.
#pragma once

#include <string>

// The snapshot as text.
std::string BuildStateDump();
bool WriteStateDump(const std::string& path);
