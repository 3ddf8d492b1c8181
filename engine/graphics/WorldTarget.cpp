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

// The scale-up is a plain copy of texels: a textured rectangle with nothing else in its shader
// is what llvmpipe's span path recognises (BGRA target and window, no depth, no blending), and
// there it costs a fraction of glBlitFramebuffer's general path.
const char* const kCopyVertex = R"(#version 330 core
in vec2 position;
in vec2 texCoord;
out vec2 uv;
void main()
{
    uv = texCoord;
    gl_Position = vec4(position, 0.0, 1.0);
})";
const char* const kCopyFragment = R"(#version 330 core
in vec2 uv;
uniform sampler2D world;
out vec4 colour;
void main()
{
    colour = texture(world, uv);
})";

// Two triangles over the whole viewport: position xy, texture uv.
const float kQuad[] = {-1, -1, 0, 0, 1, -1, 1, 0, 1,  1, 1, 1,
                       -1, -1, 0, 0, 1, 1,  1, 1, -1, 1, 0, 1};

unsigned CompileStage(unsigned kind, const char* source)
{
    unsigned id = glCreateShader(kind);
    glShaderSource(id, 1, &source, nullptr);
    glCompileShader(id);
    return id;
}
} // namespace

bool WorldTarget::EnsureCopyProgram()
{
    if (copyProgram_) return copyLinked_;
    copyProgram_ = glCreateProgram();
    unsigned vertex = CompileStage(GL_VERTEX_SHADER, kCopyVertex);
    unsigned fragment = CompileStage(GL_FRAGMENT_SHADER, kCopyFragment);
    glAttachShader(copyProgram_, vertex);
    glAttachShader(copyProgram_, fragment);
    glBindAttribLocation(copyProgram_, 0, "position");
    glBindAttribLocation(copyProgram_, 1, "texCoord");
    glLinkProgram(copyProgram_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(copyProgram_, GL_LINK_STATUS, &linked);
    copyLinked_ = linked == GL_TRUE;
    if (!copyLinked_)
    {
        LogLine("graphics: the scale-up program does not link here; the world is blitted");
        return false;
    }
    glUseProgram(copyProgram_);
    glUniform1i(glGetUniformLocation(copyProgram_, "world"), 0);
    glGenVertexArrays(1, &copyArray_);
    glGenBuffers(1, &copyBuffer_);
    glBindVertexArray(copyArray_);
    glBindBuffer(GL_ARRAY_BUFFER, copyBuffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glBindVertexArray(0);
    return true;
}

void WorldTarget::CopyToWindow()
{
    glViewport(0, 0, windowW_, windowH_);
    if (!EnsureCopyProgram())
    {
        glBlitFramebuffer(0, 0, targetW_, targetH_, 0, 0, windowW_, windowH_, GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    }
    else
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_BLEND);
        glUseProgram(copyProgram_);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, colour_);
        glBindSampler(0, 0);
        glBindVertexArray(copyArray_);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glBindVertexArray(0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glEnable(GL_BLEND);
    }
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
    Release();
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
    int w = 0, h = 0;
    open_ = TargetSize(width, height, w, h) && Ensure(w, h);
    scale_ = open_ ? static_cast<float>(height) / static_cast<float>(h) : 1.0f;
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

void WorldTarget::Release()
{
    if (Gpu::Enabled())
    {
        if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
        if (colour_) glDeleteTextures(1, &colour_);
        if (copyProgram_) glDeleteProgram(copyProgram_);
        if (copyArray_) glDeleteVertexArrays(1, &copyArray_);
        if (copyBuffer_) glDeleteBuffers(1, &copyBuffer_);
    }
    copyProgram_ = copyArray_ = copyBuffer_ = 0;
    copyLinked_ = false;
    framebuffer_ = colour_ = 0;
    targetW_ = targetH_ = 0;
    open_ = false;
}
