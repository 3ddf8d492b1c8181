#include "engine/graphics/ShaderProgram.h"

#include <cstdio>
#include <cstring>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/graphics/Gpu.h"

namespace
{
const char* const kUniformNames[kUniformCount] = {
    "Model",           "View",    "Projection", "Texture", "playerPos",    "godRadius",
    "spotlightRadius", "ambient", "spotLight",  "godMode", "transparency", "screenSpace",
    "hasPlayer"};

// Shader sources are small; anything bigger is not a shader.
constexpr size_t kMaxShaderBytes = 1u << 20;
} // namespace

bool LightState::operator==(const LightState& o) const
{
    return playerPos == o.playerPos && godRadius == o.godRadius &&
           spotlightRadius == o.spotlightRadius && ambient == o.ambient &&
           spotLight == o.spotLight && godMode == o.godMode && transparency == o.transparency &&
           screenSpace == o.screenSpace && hasPlayer == o.hasPlayer;
}

bool ShaderRecord::Compile()
{
    if (!Files::ReadDataFile(FileName, Source, kMaxShaderBytes))
    {
        Source.clear();
        LogDataWarning("shaders", FileName.c_str(), "",
                       "missing or unreadable; the program will not link");
    }
    if (!Gpu::Enabled()) return false;
    Id = glCreateShader(Kind == 0 ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* text = Source.c_str();
    glShaderSource(Id, 1, &text, nullptr);
    glCompileShader(Id);
    glGetShaderiv(Id, GL_COMPILE_STATUS, &CompileStatus);
    char log[512] = {0};
    glGetShaderInfoLog(Id, sizeof log, nullptr, log);
    InfoLog = log;
    LogPrintf("%u\n", Id);
    if (CompileStatus != 1 && !Source.empty())
        LogDataWarning("shaders", FileName.c_str(), "", ("does not compile: " + InfoLog).c_str());
    return CompileStatus == 1;
}

void ShaderProgram::Delete()
{
    if (Id && Gpu::Enabled()) glDeleteProgram(Id);
    Id = 0;
    Linked = false;
}

bool ShaderProgram::Link(const ShaderRecord& vertex, const ShaderRecord& fragment)
{
    if (!Gpu::Enabled()) return false;
    Id = glCreateProgram();
    glAttachShader(Id, vertex.Id);
    glAttachShader(Id, fragment.Id);
    glBindAttribLocation(Id, kAttrPosition, "position");
    glBindAttribLocation(Id, kAttrColor, "vertColor");
    glBindAttribLocation(Id, kAttrTexCoord, "texCoord");
    glLinkProgram(Id);
    GLint status = 0;
    glGetProgramiv(Id, GL_LINK_STATUS, &status);
    Linked = status == GL_TRUE;
    if (!Linked)
    {
        char log[512] = {0};
        glGetProgramInfoLog(Id, sizeof log, nullptr, log);
        LogPrintf("ERROR::SHADER::PROGRAM::LINKING_FAILED\n%s\n", log);
        return false;
    }
    for (int i = 0; i < kUniformCount; ++i)
        locations_[i] = glGetUniformLocation(Id, kUniformNames[i]);
    return true;
}

void ShaderProgram::Use() const
{
    if (Gpu::Enabled()) glUseProgram(Id);
}

void ShaderProgram::SendMatrix(UniformSlot slot, const glm::mat4& m)
{
    if (!Gpu::Enabled() || slot > kUniProjection || locations_[slot] < 0) return;
    if (sent_[slot] && sentMatrices_[slot] == m) return;
    glUniformMatrix4fv(locations_[slot], 1, GL_FALSE, glm::value_ptr(m));
    sentMatrices_[slot] = m;
    sent_[slot] = true;
}

void ShaderProgram::SendInt(UniformSlot slot, int v)
{
    if (slot == kUniTexture)
        SendIntHeld(slot, v, sentTexture_);
    else if (slot == kUniSpotLight)
        SendIntHeld(slot, v, sentLight_.spotLight);
    else if (slot == kUniGodMode)
        SendIntHeld(slot, v, sentLight_.godMode);
    else if (slot == kUniScreenSpace)
        SendIntHeld(slot, v, sentLight_.screenSpace);
    else if (slot == kUniHasPlayer)
        SendIntHeld(slot, v, sentLight_.hasPlayer);
}

void ShaderProgram::SendIntHeld(UniformSlot slot, int v, int& held)
{
    if (!Gpu::Enabled() || locations_[slot] < 0) return;
    if (sent_[slot] && held == v) return;
    glUniform1i(locations_[slot], v);
    held = v;
    sent_[slot] = true;
}

void ShaderProgram::SendFloat(UniformSlot slot, float v, float& held)
{
    if (!Gpu::Enabled() || locations_[slot] < 0) return;
    if (sent_[slot] && held == v) return;
    glUniform1f(locations_[slot], v);
    held = v;
    sent_[slot] = true;
}

void ShaderProgram::SendLight(const LightState& l)
{
    if (!Gpu::Enabled()) return;
    if (locations_[kUniPlayerPos] >= 0 &&
        !(sent_[kUniPlayerPos] && sentLight_.playerPos == l.playerPos))
    {
        glUniform3f(locations_[kUniPlayerPos], l.playerPos.x, l.playerPos.y, l.playerPos.z);
        sentLight_.playerPos = l.playerPos;
        sent_[kUniPlayerPos] = true;
    }
    SendFloat(kUniGodRadius, l.godRadius, sentLight_.godRadius);
    SendFloat(kUniSpotlightRadius, l.spotlightRadius, sentLight_.spotlightRadius);
    SendFloat(kUniAmbient, l.ambient, sentLight_.ambient);
    SendFloat(kUniTransparency, l.transparency, sentLight_.transparency);
    SendInt(kUniSpotLight, l.spotLight);
    SendInt(kUniGodMode, l.godMode);
    SendInt(kUniScreenSpace, l.screenSpace);
    SendInt(kUniHasPlayer, l.hasPlayer);
}
