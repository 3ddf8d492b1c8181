// PlayerIntent: what the player asks for this frame, from live input or from a playback.
//
// The controller acts on the intent alone, so a recorded cutscene and a person at the keyboard
// or controller drive the character through the same rules.
#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

class RecordAndPlay;

struct PlayerIntent
{
    bool playback = false;   // driven by a recording: no sounds, no stick gates
    bool controller = false; // a game controller is connected
    bool left = false;
    bool right = false;
    bool crawl = false;     // flip the crawl
    bool release = false;   // a move key came up this frame
    bool bothHeld = false;  // left and right both held
    bool moveHeld = false;  // left or right held
    bool stickStop = false; // a connected controller's stick is at rest
    bool throwBall = false;
    bool throwEmp = false;
    bool jump = false;
    bool tapMove = false; // a move key went down this frame
    glm::vec2 rightStick{0.0f};
    glm::vec3 aimPoint{0.0f};
    bool hasAimPoint = false; // false when no camera could turn the mouse into a world point
};

// Keyboard, mouse and controller; record (may be null) adds its stale key masks as designed.
PlayerIntent ReadLiveIntent(const RecordAndPlay* record);
// The playback state of a running recording.
PlayerIntent ReadPlaybackIntent(const RecordAndPlay& record);
