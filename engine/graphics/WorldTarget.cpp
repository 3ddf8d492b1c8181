#include "engine/graphics/WorldTarget.h"

#include <GL/glew.h>

#include "engine/core/Log.h"
#include "engine/graphics/Gpu.h"

namespace
{
// Window lines per pixel row of art at the cameras' usual distance (about 17 units of height at
// 32 pixels a unit, rounded up so that no window coarsens the art).
constexpr int kArtRows = 540;
} // namespace

int WorldTarget::ScaleFor(int windowHeight)
{
    int scale = windowHeight / kArtRows;
    return scale < 1 ? 1 : scale;
}

bool WorldTarget::Ensure(int w, int h)
{
    if (framebuffer_ && w == targetW_ && h == targetH_) return true;
    Release();
    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    // No depth buffer: depth never rejects in this game, so there is nothing to keep.
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
    {
        LogLine("graphics: no off-screen target here; the world is drawn at full resolution");
        Release();
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
    scale_ = ScaleFor(height);
    int w = (width + scale_ - 1) / scale_, h = (height + scale_ - 1) / scale_;
    open_ = scale_ > 1 && width > 0 && height > 0 && Ensure(w, h);
    if (!open_) scale_ = 1;
    glBindFramebuffer(GL_FRAMEBUFFER, open_ ? framebuffer_ : 0);
    glViewport(0, 0, open_ ? targetW_ : width, open_ ? targetH_ : height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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
        glBlitFramebuffer(0, 0, targetW_, targetH_, 0, 0, targetW_ * scale_, targetH_ * scale_,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    else
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void WorldTarget::Release()
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
