// The editor's camera keys: C next camera, B / V nearer / further, the arrow keys move the view
// (within the camera's bounds). The player's camera does not follow while the editor is open.
#pragma once

// Acts on the camera current before the frame's C press; does nothing without a camera.
void EditorCameraKeys();
