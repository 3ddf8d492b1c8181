// ShaderProgram: one linked vertex/fragment pair of the shader list.
//
// Uniform locations are looked up once after linking, and the values last sent are remembered
// so that a draw that repeats them costs no GL call. The lighting values a program holds are
// also kept on the CPU side (`light`, `model`): by design a uniform that a draw does not set
// keeps its previous value, and the render pass needs to know that value with or without a GPU.
#pragma once

#include <array>
#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

struct ShaderRecord
{
    unsigned Id = 0;
    std::string FileName;
    int CompileStatus = 0;
    std::string InfoLog;
    std::string Source;
    int Kind = 0; // 0 vertex, 1 fragment

    // Reads the source from the data root and, with a GPU, compiles it. True when compiled.
    bool Compile();
};

enum UniformSlot
{
    kUniModel,
    kUniView,
    kUniProjection,
    kUniTexture,
    kUniPlayerPos,
    kUniGodRadius,
    kUniSpotlightRadius,
    kUniAmbient,
    kUniSpotLight,
    kUniGodMode,
    kUniTransparency,
    kUniScreenSpace,
    kUniHasPlayer,
    kUniformCount
};

// Attribute locations are bound before linking, so one vertex layout fits every program.
enum AttributeSlot
{
    kAttrPosition = 0,
    kAttrColor = 1,
    kAttrTexCoord = 2
};

// The lighting inputs of a draw, as the program holds them.
struct LightState
{
    glm::vec3 playerPos{0.0f};
    float godRadius = 0.0f;
    float spotlightRadius = 0.0f;
    float ambient = 0.0f;
    int spotLight = 0;
    int godMode = 0;
    float transparency = 0.0f;
    int screenSpace = 0; // screen layers and screen texts: no lighting
    int hasPlayer = 0;   // no player in the level: everything fully lit

    bool operator==(const LightState& o) const;
    bool operator!=(const LightState& o) const { return !(*this == o); }
};

class ShaderProgram
{
  public:
    ShaderProgram() { locations_.fill(-1); }
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Attaches, binds the attribute slots, links and looks the uniforms up (GPU only). Prints the
    // link failure line and log. The program name is kept either way.
    bool Link(const ShaderRecord& vertex, const ShaderRecord& fragment);
    // Deletes the GL program (shutdown, while the context still exists).
    void Delete();

    // GPU side: make current and send values, skipping what the program already holds.
    void Use() const;
    void SendMatrix(UniformSlot slot, const glm::mat4& m);
    void SendInt(UniformSlot slot, int v);
    void SendLight(const LightState& l);
    int Location(UniformSlot slot) const { return locations_[slot]; }

    unsigned Id = 0;
    bool Linked = false;
    // What the program holds by design (CPU side).
    LightState light;
    glm::mat4 model{1.0f};

  private:
    void SendFloat(UniformSlot slot, float v, float& held);
    void SendIntHeld(UniformSlot slot, int v, int& held);

    std::array<int, kUniformCount> locations_{};
    // Values last sent to the GPU; `sent_` flags which are known.
    std::array<glm::mat4, 3> sentMatrices_{};
    std::array<bool, kUniformCount> sent_{};
    LightState sentLight_;
    int sentTexture_ = 0;
};
