#include "editor/EditorGui.h"

#include <GL/glew.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>
#include <imgui_internal.h>

#include <map>
#include <string>
#include <utility>

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "editor/GuiPanel.h"
#include "engine/core/CameraManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/core/WindowManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/objects/EditorPanel.h"

namespace
{
struct GuiState
{
    bool started = false;
    bool rendered = false; // a GL back end draws the frames
    bool frameOpen = false;
    bool wantsMouse = false;
    bool wantsKeys = false;
    // Latched between frames so that a click shorter than a frame is still seen.
    bool pressed[3] = {false, false, false};
    bool held[3] = {false, false, false};
    float wheel = 0.0f, wheelH = 0.0f;
    int mouseX = 0, mouseY = 0;
    std::map<std::string, std::pair<ImVec2, ImVec2>> items;
    std::string moving; // the window being dragged by its title bar
};

GuiState& State()
{
    static GuiState state;
    return state;
}

int ButtonIndex(uint8_t button)
{
    switch (button)
    {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

// Every event the input manager handles, live or scripted, reaches the GUI here.
void Hear(const SDL_Event& e)
{
    GuiState& s = State();
    ImGuiIO& io = ImGui::GetIO();
    switch (e.type)
    {
    case SDL_MOUSEMOTION:
        s.mouseX = e.motion.x;
        s.mouseY = e.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    {
        const int i = ButtonIndex(e.button.button);
        if (i < 0) break;
        s.held[i] = e.type == SDL_MOUSEBUTTONDOWN;
        if (s.held[i]) s.pressed[i] = true;
        break;
    }
    case SDL_MOUSEWHEEL:
        s.wheel += static_cast<float>(e.wheel.y);
        s.wheelH += static_cast<float>(e.wheel.x);
        break;
    case SDL_TEXTINPUT:
        io.AddInputCharactersUTF8(e.text.text);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    {
        const int sc = e.key.keysym.scancode;
        if (sc > 0 && sc < IM_ARRAYSIZE(io.KeysDown)) io.KeysDown[sc] = e.type == SDL_KEYDOWN;
        break;
    }
    default:
        break;
    }
}

// The same key map as ImGui's SDL back end: headless runs press the same keys.
void MapKeys(ImGuiIO& io)
{
    const std::pair<ImGuiKey_, SDL_Scancode> keys[] = {
        {ImGuiKey_Tab, SDL_SCANCODE_TAB},
        {ImGuiKey_LeftArrow, SDL_SCANCODE_LEFT},
        {ImGuiKey_RightArrow, SDL_SCANCODE_RIGHT},
        {ImGuiKey_UpArrow, SDL_SCANCODE_UP},
        {ImGuiKey_DownArrow, SDL_SCANCODE_DOWN},
        {ImGuiKey_PageUp, SDL_SCANCODE_PAGEUP},
        {ImGuiKey_PageDown, SDL_SCANCODE_PAGEDOWN},
        {ImGuiKey_Home, SDL_SCANCODE_HOME},
        {ImGuiKey_End, SDL_SCANCODE_END},
        {ImGuiKey_Insert, SDL_SCANCODE_INSERT},
        {ImGuiKey_Delete, SDL_SCANCODE_DELETE},
        {ImGuiKey_Backspace, SDL_SCANCODE_BACKSPACE},
        {ImGuiKey_Space, SDL_SCANCODE_SPACE},
        {ImGuiKey_Enter, SDL_SCANCODE_RETURN},
        {ImGuiKey_Escape, SDL_SCANCODE_ESCAPE},
        {ImGuiKey_KeyPadEnter, SDL_SCANCODE_KP_ENTER},
        {ImGuiKey_A, SDL_SCANCODE_A},
        {ImGuiKey_C, SDL_SCANCODE_C},
        {ImGuiKey_V, SDL_SCANCODE_V},
        {ImGuiKey_X, SDL_SCANCODE_X},
        {ImGuiKey_Y, SDL_SCANCODE_Y},
        {ImGuiKey_Z, SDL_SCANCODE_Z}};
    for (const auto& k : keys) io.KeyMap[k.first] = k.second;
}

// One line when a dragged window is let go: where the developer put it.
void NoteWindowMove(GuiState& s)
{
    ImGuiWindow* moving = GImGui->MovingWindow;
    if (moving)
    {
        s.moving = moving->RootWindow ? moving->RootWindow->Name : moving->Name;
        return;
    }
    if (s.moving.empty()) return;
    if (ImGuiWindow* w = ImGui::FindWindowByName(s.moving.c_str()))
        LogLine("editor: window \"%s\" moved to (%.0f, %.0f)", s.moving.c_str(),
                static_cast<double>(w->Pos.x), static_cast<double>(w->Pos.y));
    s.moving.clear();
}

// Mouse, wheel and modifiers from the events heard (after the back end's own frame start, which
// reads the platform's mouse and would miss injected events).
void FeedInput(ImGuiIO& io)
{
    GuiState& s = State();
    io.MousePos = ImVec2(static_cast<float>(s.mouseX), static_cast<float>(s.mouseY));
    for (int i = 0; i < 3; ++i)
    {
        io.MouseDown[i] = s.held[i] || s.pressed[i];
        s.pressed[i] = false;
    }
    io.MouseWheel = s.wheel;
    io.MouseWheelH = s.wheelH;
    s.wheel = s.wheelH = 0.0f;
    const InputManager& in = InputManager::Get();
    io.KeyCtrl = in.IsKeyPressed("Left Ctrl") || in.IsKeyPressed("Right Ctrl");
    io.KeyShift = in.IsKeyPressed("Left Shift") || in.IsKeyPressed("Right Shift");
    io.KeyAlt = in.IsKeyPressed("Left Alt") || in.IsKeyPressed("Right Alt");
    io.KeySuper = false;
}
} // namespace

namespace EditorGui
{
bool Start()
{
    GuiState& s = State();
    if (s.started) return true;
    WindowManager& window = WindowManager::Get();
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // nothing written beside the game
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    if (Gpu::Enabled() && window.window)
    {
        ImGui_ImplSDL2_InitForOpenGL(window.window, window.glContext);
        ImGui_ImplOpenGL3_Init("#version 330");
        s.rendered = true;
    }
    else
    {
        unsigned char* pixels = nullptr;
        int w = 0, h = 0;
        io.Fonts->GetTexDataAsAlpha8(&pixels, &w, &h); // built, never uploaded
        io.BackendPlatformName = "bellrun-headless";
    }
    MapKeys(io);
    InputManager::Get().eventListener = Hear;
    SetEditorPanel(&GuiPanels());
    s.started = true;
    return true;
}

bool Started()
{
    return State().started;
}

void BeginFrame()
{
    GuiState& s = State();
    if (!s.started) return;
    if (s.frameOpen) ImGui::EndFrame(); // a frame begun and never drawn
    ImGuiIO& io = ImGui::GetIO();
    WindowManager& window = WindowManager::Get();
    if (s.rendered)
    {
        ImGui_ImplOpenGL3_NewFrame();
        ImGui_ImplSDL2_NewFrame();
    }
    else
    {
        io.DisplaySize = ImVec2(static_cast<float>(window.width > 0 ? window.width : 1),
                                static_cast<float>(window.height > 0 ? window.height : 1));
        io.DeltaTime = static_cast<float>(FrameMs()) / 1000.0f;
    }
    FeedInput(io);
    ImGui::NewFrame();
    NoteWindowMove(s);
    s.frameOpen = true;
    s.wantsMouse = io.WantCaptureMouse;
    s.wantsKeys = io.WantCaptureKeyboard;
}

void ForgetClicks()
{
    GuiState& s = State();
    for (bool& p : s.pressed) p = false;
    s.wheel = s.wheelH = 0.0f;
}

void EndFrame()
{
    GuiState& s = State();
    if (!s.frameOpen) return;
    s.frameOpen = false;
    ImGui::Render();
    if (!s.rendered) return;
    ImGuiIO& io = ImGui::GetIO();
    glViewport(0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

bool FrameOpen()
{
    return State().frameOpen;
}

bool WantsMouse()
{
    return State().wantsMouse;
}

bool WantsKeys()
{
    return State().wantsKeys;
}

bool WindowRect(const char* title, glm::vec2& pos, glm::vec2& size)
{
    ImGuiWindow* window = State().started ? ImGui::FindWindowByName(title) : nullptr;
    if (!window) return false;
    pos = glm::vec2(window->Pos.x, window->Pos.y);
    size = glm::vec2(window->Size.x, window->Size.y);
    return true;
}

void NoteItem(const char* label)
{
    State().items[label] = {ImGui::GetItemRectMin(), ImGui::GetItemRectMax()};
}

bool ItemRect(const char* label, glm::vec2& pos, glm::vec2& size)
{
    const auto& items = State().items;
    auto it = items.find(label);
    if (it == items.end()) return false;
    pos = glm::vec2(it->second.first.x, it->second.first.y);
    size = glm::vec2(it->second.second.x - it->second.first.x,
                     it->second.second.y - it->second.first.y);
    return true;
}

glm::vec2 WorldToScreen(glm::vec2 world)
{
    WindowManager& window = WindowManager::Get();
    const float w = static_cast<float>(window.width > 0 ? window.width : 1);
    const float h = static_cast<float>(window.height > 0 ? window.height : 1);
    const glm::mat4 clip = PerspectiveProjection(w / h) * CameraManager::Get().CurrentView();
    glm::vec4 p = clip * glm::vec4(world, 0.0f, 1.0f);
    if (p.w != 0.0f) p /= p.w;
    return glm::vec2((p.x + 1.0f) * w / 2.0f, (1.0f - p.y) * h / 2.0f);
}
} // namespace EditorGui
