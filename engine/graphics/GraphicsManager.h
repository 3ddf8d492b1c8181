// GraphicsManager: shader programs and the render pass over the draw layers.
//
// The pass works every sprite out first (animation, matrices, uniform values, the closing
// light) and only then hands it to the SpriteSubmitter, so a run without a GPU reaches the same
// state as one with.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/core/GameHooks.h"
#include "engine/graphics/LightPass.h"
#include "engine/graphics/ShaderProgram.h"
#include "engine/graphics/SpriteDraw.h"
#include "engine/graphics/SpriteSubmitter.h"
#include "engine/graphics/WorldTarget.h"

class Sprite;
class GameObject;
class Transform;

class GraphicsManager
{
  public:
    static GraphicsManager& Get();

    // Viewport and clear for a new frame.
    void BeginFrame(int width, int height);
    void DrawLayer(int layer);
    // Before the layers of a frame: finds the highest screen layer holding an opaque sprite
    // that fills the window (menuShown: whether the menu layer is drawn this frame). The layers
    // below it still animate, light and count their sprites, so a run reaches the same state
    // with or without a GPU; only their drawing is skipped.
    void PlanCover(bool menuShown);
    // Uploads the textures of every shown sprite now, at level load: textures otherwise wait
    // for their first draw, and a guard's first capture should not pay a decode mid-play.
    // A shown sprite's other slots are warmed only when they are sheets (up to 512x512): the
    // full-screen pictures of slides wait for their turn. Hidden sprites (menus) still wait.
    void WarmTextures();
    // The world layers are done: they are lit and go up onto the window, where the screen
    // layers, texts and the editor draw at full resolution. Idempotent within a frame.
    void FinishWorld();
    void DrawSingle(Sprite& sprite);
    // Writes the back buffer as a PNG; false (and a line) when there is no GPU.
    bool SaveScreenshot(const std::string& path);
    void Release();

    // The program stored under a vertex-shader path ("Shaders/DefaultShader.vert"), or nullptr.
    ShaderProgram* FindProgram(const std::string& vertexPath);
    ShaderProgram* GetDefaultProgram();
    // Batched submission (the default) or one draw call per sprite.
    void SetBatching(bool on) { submitter_.batching = on; }
    const SpriteSubmitter& Submitter() const { return submitter_; }

    std::map<std::string, std::unique_ptr<ShaderProgram>> Programs;
    std::map<std::string, ShaderRecord> VertexShaders;
    std::map<std::string, ShaderRecord> FragmentShaders;

    // Sees every sprite the pass draws, after its values are worked out (tests, tools).
    std::function<void(const SpriteDraw&)> drawListener;
    int spritesDrawn = 0; // since the last BeginFrame
    int spritesDrawnLastFrame = 0;
    int frameWidth = 0, frameHeight = 0;

  private:
    static void WarmSprite(GameObject& obj);
    GraphicsManager();
    void BuildPrograms(const std::string& listPath);
    void BuildProgram(const std::string& vertexPath, const std::string& fragmentPath);
    void SetPipelineState();
    ShaderProgram* ProgramFor(const Sprite& sprite);
    void DrawObject(GameObject& obj, int layer);
    // Animation, program, texture, upload flag and model matrix: shared by the pass and the
    // editor preview.
    void PrepareDraw(Sprite& sprite, SpriteDraw& d);
    void FadeWithoutProgram(SpriteDraw& d);
    void SetLighting(LightState& light, const Sprite& sprite, int layer);
    bool HidesWhatIsBelow(GameObject& obj) const;

    SpriteSubmitter submitter_;
    WorldTarget world_;
    LightPass lightPass_;
    // The light of the last world sprite drawn this frame (its player flag cleared at the start
    // of a frame) and the world layers' camera: what the light pass lays over the world.
    LightState worldLight_;
    glm::mat4 lightView_{1.0f};
    glm::mat4 lightProjection_{1.0f};
    bool worldLit_ = false;
    bool lightMissingReported_ = false;
    // Holds the values of sprites whose program is missing altogether.
    ShaderProgram noProgram_;
    Transform* layerPlayerAt_ = nullptr;
    PlayerLight layerLight_;
    std::unordered_map<std::string, ShaderProgram*> bySpriteShader_;
    glm::mat4 worldView_{1.0f};
    glm::mat4 worldProjection_{1.0f};
    int coveredBelow_ = 0; // layers under this one are hidden this frame
};

// Radius of the light around the player; level changes reset it to 25.
extern float SpotlightRadius;
