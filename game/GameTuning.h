// GameTuning: the game's numbers that change as it is played. Upgrades lengthen the capture, the
// EMP's life and the cameras' blackout (each by a second); a level transition blinds the guards
// until the next level has loaded.
#pragma once

struct GameTuning
{
    static GameTuning& Get()
    {
        static GameTuning tuning;
        return tuning;
    }

    float empLifetimeMs = 3200.0f;
    float cameraBlackoutMs = 2500.0f;
    float captureTimeMs = 2200.0f;
    bool levelTransitionActive = false;
};
