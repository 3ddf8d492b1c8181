#include "engine/core/StartupClock.h"

#include <chrono>

namespace
{
using Clock = std::chrono::steady_clock;
Clock::time_point g_last = Clock::now();
std::vector<StartupStep> g_steps;
} // namespace

void StartupClockReset()
{
    g_steps.clear();
    g_last = Clock::now();
}

void StartupMark(const char* step)
{
    Clock::time_point now = Clock::now();
    g_steps.push_back({step, std::chrono::duration<double, std::milli>(now - g_last).count()});
    g_last = now;
}

const std::vector<StartupStep>& StartupSteps()
{
    return g_steps;
}
