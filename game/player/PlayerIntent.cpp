#include "game/player/PlayerIntent.h"

#include "engine/core/CameraManager.h"
#include "engine/core/InputManager.h"
#include "game/story/RecordAndPlay.h"

namespace
{
constexpr uint32_t kMoveBits = kRecA | kRecD;
} // namespace

PlayerIntent ReadLiveIntent(const RecordAndPlay* record)
{
    InputManager& in = InputManager::Get();
    const uint32_t held = record ? record->heldKeys : 0u;
    const uint32_t pressed = record ? record->pressedKeys : 0u;
    const uint32_t released = record ? record->releasedKeys : 0u;
    const uint32_t mouse = record ? record->mouseButtons : 0u;
    const bool keyA = in.IsKeyPressed("A"), keyD = in.IsKeyPressed("D");

    PlayerIntent i;
    i.controller = in.controllerConnected;
    i.left = in.leftStickX < 0.0f || keyA || (held & kRecA);
    i.right = in.leftStickX > 0.0f || keyD || (held & kRecD);
    i.crawl = in.IsButtonDown("X") || in.IsKeyTriggered("Left Shift") || (held & kRecLeftShift);
    i.release = in.IsKeyReleased("A") || in.IsKeyReleased("D") || (released & kMoveBits);
    i.bothHeld = keyA && keyD;
    i.moveHeld = keyA || keyD;
    i.stickStop = in.controllerConnected && in.leftStickX == 0.0f;
    i.throwBall = in.rightPressed || in.IsButtonDown("RT") || (mouse & kMouseRight);
    i.throwEmp = in.leftPressed || in.IsButtonDown("LT") || (mouse & kMouseLeft);
    i.jump = in.IsKeyTriggered("Space") || in.leftStickY > 7.0f || (pressed & kRecSpace);
    i.tapMove = in.IsKeyTriggered("D") || in.IsKeyTriggered("A");
    i.rightStick = glm::vec2(in.rightStickX, in.rightStickY);
    // Without a camera there is no view to un-project the mouse through.
    if (!i.controller && CameraManager::Get().GetCurrentCamera())
    {
        i.aimPoint = in.GetMouseWorldPosition();
        i.hasAimPoint = true;
    }
    return i;
}

PlayerIntent ReadPlaybackIntent(const RecordAndPlay& record)
{
    const uint32_t held = record.heldKeys;
    PlayerIntent i;
    i.playback = true;
    i.controller = InputManager::Get().controllerConnected;
    i.left = held & kRecA;
    i.right = held & kRecD;
    // Recordings flip the crawl with the crawl key held together with "A".
    i.crawl = (held & (kRecLeftShift | kRecA)) == (kRecLeftShift | kRecA);
    i.release = record.releasedKeys & kMoveBits;
    i.bothHeld = (held & kMoveBits) == kMoveBits;
    i.moveHeld = held & kMoveBits;
    i.throwBall = record.mouseButtons & kMouseRight;
    i.throwEmp = record.mouseButtons & kMouseLeft;
    i.jump = record.pressedKeys & kRecSpace;
    i.tapMove = record.pressedKeys & kMoveBits;
    i.aimPoint = record.aimPoint;
    i.hasAimPoint = true;
    return i;
}
