#include "editor/EditorCamera.h"

#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"

void EditorCameraKeys()
{
    CameraManager& cams = CameraManager::Get();
    if (cams.cameras.empty()) return;
    Camera& camera = *cams.GetCurrentCamera();
    InputManager& input = InputManager::Get();
    if (input.IsKeyTriggered("C"))
    {
        cams.current = static_cast<uint32_t>((cams.current + 1) % cams.cameras.size());
        EventManager::Get().PostEvent(kEventCameraSwitched);
        EventManager::Get().PostTimedEvent(kEventCameraSwitched, 1000.0f, nullptr);
    }
    auto printZ = [&camera]()
    { LogPrintf("X: %f Y: %f Z: %f\n", camera.position.x, camera.position.y, camera.position.z); };
    if (input.IsKeyPressed("B"))
    {
        camera.position.z -= 0.1f;
        printZ();
    }
    if (input.IsKeyPressed("V"))
    {
        camera.position.z += 0.1f;
        printZ();
    }
    auto nudge = [&camera](int axis, float delta)
    {
        float v =
            ClampUpperFirst(camera.position[axis] + delta, camera.min[axis], camera.max[axis]);
        camera.target[axis] = camera.editorTarget[axis] = v;
    };
    if (input.IsKeyPressed("Left")) nudge(0, -0.1f);
    if (input.IsKeyPressed("Right")) nudge(0, 0.1f);
    if (input.IsKeyPressed("Down")) nudge(1, -0.1f);
    if (input.IsKeyPressed("Up")) nudge(1, 0.1f);
}
