#include "engine/core/WindowManager.h"

#include <cstdio>
#include <string>

#include <GL/glew.h>

#include "engine/core/LibraryPin.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"

namespace
{
// Mesa's software rasteriser starts one thread per core. On a machine with few cores the game's
// own thread and the display server take turns with those threads, and a frame then waits for
// the tiles of whichever was set aside; twice as many threads as cores let the others finish
// them (a 2-core machine's p95 frame fell by a fifth or more). Only a default: a value the user
// set is kept, and other drivers never read it.
void SuggestRasteriserThreads()
{
#if defined(BELLRUN_SANITIZE)
    // LeakSanitizer's exit check stops every thread, and with the extra rasteriser threads idle
    // in the pinned driver it crashes doing so: sanitizer builds keep the driver's default.
    return;
#endif
    constexpr int kFewCores = 4;
    const int cores = SDL_GetCPUCount();
    if (cores < 1 || cores > kFewCores) return;
    SDL_setenv("LP_NUM_THREADS", std::to_string(2 * cores).c_str(), 0);
}

// "OpenGL 3.0 Mesa 22.3.6": what the driver makes when asked for nothing in particular, so the
// player can tell an old card or driver from a broken one.
std::string OfferedContext(SDL_Window* window)
{
    SDL_GL_ResetAttributes();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return std::string("no OpenGL context at all: ") + SDL_GetError();
    // A core entry point of every GL: no loader needed.
    const GLubyte* version = glGetString(GL_VERSION);
    std::string offered = version ? std::string("OpenGL ") + reinterpret_cast<const char*>(version)
                                  : std::string("an OpenGL context of unknown version");
    SDL_GL_DeleteContext(context);
    return offered;
}

// A remembered window lies (at least partly) on a display that is still there.
bool OnSomeDisplay(const SDL_Rect& place)
{
    if (place.w <= 0 || place.h <= 0) return false;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i)
    {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_HasIntersection(&bounds, &place))
            return true;
    }
    return false;
}
} // namespace

WindowManager& WindowManager::Get()
{
    static WindowManager instance;
    return instance;
}

bool WindowManager::Open(bool fullscreen, int w, int h)
{
    if (SDL_GetDesktopDisplayMode(0, &displayMode) != 0)
        SDL_Log("SDL_GetDesktopDisplayMode failed: %s", SDL_GetError());
    width = fullscreen && displayMode.w > 0 ? displayMode.w : w;
    height = fullscreen && displayMode.h > 0 ? displayMode.h : h;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    // Draw order alone decides overlap, so the window needs no depth or stencil planes; without
    // them software GL can also take its fast span paths on the window.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    Uint32 flags = SDL_WINDOW_OPENGL | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SuggestRasteriserThreads();
    window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
    if (!window)
    {
        const char* driver = SDL_GetCurrentVideoDriver();
        LogFatal("window: cannot create the window: asked for an OpenGL 3.3 core profile window, "
                 "the video driver \"%s\" offers none (%s)",
                 driver ? driver : "none", SDL_GetError());
        return false;
    }
    glContext = SDL_GL_CreateContext(window);
    if (!glContext)
    {
        std::string why = SDL_GetError();
        std::string offered = OfferedContext(window);
        // The driver is loaded now, context or not: kept, as after any run (see Close).
        PinLoadedLibraries();
        LogFatal("window: cannot create an OpenGL 3.3 context: asked for OpenGL 3.3 core profile, "
                 "the driver offers %s (%s)",
                 offered.c_str(), why.c_str());
        return false;
    }
    glewExperimental = GL_TRUE;
    // GLEW reports an error without a GLX display (SDL's offscreen driver) yet leaves a working
    // context, so its result is only informative.
    GLenum glewResult = glewInit();
    if (glewResult == GLEW_OK) LogPrintf("Initial Success\n");
    while (glGetError() != GL_NO_ERROR)
    {
    }
    SDL_GL_SetSwapInterval(1);
    std::string icon = Files::DataPath("Textures/BellrunIcon-2.bmp");
    if (SDL_Surface* surface = SDL_LoadBMP(icon.c_str()))
    {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
    return true;
}

void WindowManager::RefreshSize()
{
    if (window) SDL_GetWindowSize(window, &width, &height);
}

void WindowManager::SetFullscreen(bool on)
{
    if (!window) return;
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0) display = 0;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.w > 0 && mode.h > 0)
        displayMode = mode;
    SDL_Rect bounds{0, 0, displayMode.w, displayMode.h};
    SDL_GetDisplayBounds(display, &bounds);
    if (displayMode.w <= 0 || displayMode.h <= 0) return;
    if (on)
    {
        RememberWindowed();
        width = displayMode.w;
        height = displayMode.h;
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    SDL_Rect place{bounds.x + displayMode.w / 6, bounds.y + displayMode.h / 6,
                   displayMode.w * 2 / 3, displayMode.h * 2 / 3};
    if (OnSomeDisplay(windowed)) place = windowed;
    width = place.w;
    height = place.h;
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, place.x, place.y);
}

void WindowManager::RememberWindowed()
{
    if (!window || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0) return;
    SDL_GetWindowPosition(window, &windowed.x, &windowed.y);
    SDL_GetWindowSize(window, &windowed.w, &windowed.h);
}

void WindowManager::Swap()
{
    if (window && glContext) SDL_GL_SwapWindow(window);
}

void WindowManager::Close()
{
    if (glContext) PinLoadedLibraries();
    if (glContext) SDL_GL_DeleteContext(glContext);
    if (window) SDL_DestroyWindow(window);
    glContext = nullptr;
    window = nullptr;
}
