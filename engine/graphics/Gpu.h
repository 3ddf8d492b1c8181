// Gpu: the one seam between the game and the graphics card. When it is off (a headless run, or
// no GL context could be made) every GPU call is skipped and everything else runs unchanged.
#pragma once

namespace Gpu
{
bool Enabled();
void SetEnabled(bool enabled);
} // namespace Gpu
