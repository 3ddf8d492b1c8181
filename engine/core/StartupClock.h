// StartupClock: how long each step of start-up took, so the start-up benchmark can show where a
// cold start spends its time (the platform, the graphics driver, the data). A clock read a step.
#pragma once

#include <vector>

struct StartupStep
{
    const char* name;
    double ms; // since the step before (or since the reset, for the first)
};

// Starts counting again from now, forgetting the steps so far (Engine::Init does at its start).
void StartupClockReset();
// Ends a step with this name (a string that lives as long as the program).
void StartupMark(const char* step);
const std::vector<StartupStep>& StartupSteps();
