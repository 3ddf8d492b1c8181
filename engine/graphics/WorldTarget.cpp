#include "engine/graphics/WorldTarget.h"

#include <GL/glew.h>

#include "engine/core/Log.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/TextureLoader.h"

namespace
{
// Window lines per pixel row of art at the cameras' usual distance (about 17 units of height at
// 32 pixels a unit, rounded up so that no window coarsens the art).
constexpr int kArtRows = 540;
} // namespace

void WorldTarget::CopyToWindow()
{
    glViewport(0, 0, windowW_, windowH_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    if (copy_.Draw(colour_)) return;
    if (!blitReported_)
        LogLine("graphics: the scale-up program does not link here; the world is blitted");
    blitReported_ = true;
    glBlitFramebuffer(0, 0, targetW_, targetH_, 0, 0, windowW_, windowH_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
}

bool WorldTarget::TargetSize(int windowWidth, int windowHeight, int& width, int& height)
{
    width = windowWidth;
    height = windowHeight;
    if (windowWidth <= 0 || windowHeight <= kArtRows) return false;
    height = kArtRows;
    const long long scaled =
        (static_cast<long long>(windowWidth) * kArtRows + windowHeight / 2) / windowHeight;
    width = scaled < 1 ? 1 : static_cast<int>(scaled);
    return true;
}

bool WorldTarget::ArtFits(int windowHeight)
{
    return windowHeight >= kArtRows;
}

bool WorldTarget::Ensure(int w, int h)
{
    if (framebuffer_ && w == targetW_ && h == targetH_) return true;
    DropTarget();
    // BGRA, like every texture of the game: the order software GL's span paths work in.
    colour_ = MakeTargetTexture(w, h, GL_NEAREST);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    // No depth buffer: depth never rejects in this game, so there is nothing to keep.
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
    {
        LogLine("graphics: no off-screen target here; the world is drawn at full resolution");
        DropTarget();
        return false;
    }
    targetW_ = w;
    targetH_ = h;
    return true;
}

void WorldTarget::Begin(int width, int height)
{
    windowW_ = width;
    windowH_ = height;
    drawn_ = false;
    int w = 0, h = 0;
    open_ = TargetSize(width, height, w, h) && Ensure(w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, open_ ? framebuffer_ : 0);
    glViewport(0, 0, open_ ? targetW_ : width, open_ ? targetH_ : height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void WorldTarget::Resolve()
{
    if (!open_) return;
    open_ = false;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, windowW_, windowH_);
    // A paused frame draws no world: the window only needs its clear.
    if (drawn_)
        CopyToWindow();
    else
        glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void WorldTarget::DropTarget()
{
    if (Gpu::Enabled())
    {
        if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
        if (colour_) glDeleteTextures(1, &colour_);
    }
    framebuffer_ = colour_ = 0;
    targetW_ = targetH_ = 0;
    open_ = false;
}

void WorldTarget::Release()
{
    DropTarget();
    copy_.Release();
}
