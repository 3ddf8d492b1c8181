#include "engine/graphics/CopyQuad.h"

#include <GL/glew.h>

#include "engine/graphics/Gpu.h"

namespace
{
const char* const kVertex = R"(#version 330 core
in vec2 position;
in vec2 texCoord;
out vec2 uv;
void main()
{
    uv = texCoord;
    gl_Position = vec4(position, 0.0, 1.0);
})";
const char* const kFragment = R"(#version 330 core
in vec2 uv;
uniform sampler2D picture;
out vec4 colour;
void main()
{
    colour = texture(picture, uv);
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

bool CopyQuad::Ensure()
{
    if (program_) return linked_;
    program_ = glCreateProgram();
    unsigned vertex = CompileStage(GL_VERTEX_SHADER, kVertex);
    unsigned fragment = CompileStage(GL_FRAGMENT_SHADER, kFragment);
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glBindAttribLocation(program_, 0, "position");
    glBindAttribLocation(program_, 1, "texCoord");
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    linked_ = linked == GL_TRUE;
    if (!linked_) return false;
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "picture"), 0);
    glGenVertexArrays(1, &array_);
    glGenBuffers(1, &buffer_);
    glBindVertexArray(array_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glBindVertexArray(0);
    return true;
}

bool CopyQuad::Draw(unsigned texture)
{
    if (!Gpu::Enabled() || !Ensure()) return false;
    glDisable(GL_BLEND);
    glUseProgram(program_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, 0);
    glBindVertexArray(array_);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_BLEND);
    return true;
}

void CopyQuad::Release()
{
    if (Gpu::Enabled())
    {
        if (program_) glDeleteProgram(program_);
        if (array_) glDeleteVertexArrays(1, &array_);
        if (buffer_) glDeleteBuffers(1, &buffer_);
    }
    program_ = array_ = buffer_ = 0;
    linked_ = false;
}
