// EditorGui: the editor's Dear ImGui context. With a GL window it draws through ImGui's OpenGL
// back end; headless it runs the same context without a renderer, so a scripted session clicks
// and types into the same windows as a developer does. Either way the GUI hears the input
// manager's events (the platform's and the injected ones alike) and steps at the fixed frame
// time headless, so headless sessions stay deterministic.
#pragma once

#include <glm/vec2.hpp>

namespace EditorGui
{
// Creates the context the first time (true once it exists).
bool Start();
bool Started();
// Starts a GUI frame from this frame's input; from here on the capture answers are current.
void BeginFrame();
// Drops the clicks and wheel turns heard while the editor was closed (they were the game's).
void ForgetClicks();
// Ends and, with a GL context, renders the frame begun (nothing when none was begun).
void EndFrame();
bool FrameOpen();
// Whether the GUI owns the mouse (it is over a window, or a drag began on one) or the keys (a
// text field has focus).
bool WantsMouse();
bool WantsKeys();
// Where a window stands on screen (top left, size); false when it was never shown.
bool WindowRect(const char* title, glm::vec2& pos, glm::vec2& size);
// Remembers where the last widget drawn stands, under its label, so that a scripted session
// (or a test) can aim a click at it; ItemRect answers false for a label never noted.
void NoteItem(const char* label);
bool ItemRect(const char* label, glm::vec2& pos, glm::vec2& size);
// A world point in window pixels, through the current camera.
glm::vec2 WorldToScreen(glm::vec2 world);
} // namespace EditorGui
