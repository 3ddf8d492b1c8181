#include "engine/graphics/Gpu.h"

namespace
{
bool g_enabled = false;
}

bool Gpu::Enabled()
{
    return g_enabled;
}
void Gpu::SetEnabled(bool enabled)
{
    g_enabled = enabled;
}
