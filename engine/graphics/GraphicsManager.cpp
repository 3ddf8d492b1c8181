#include "engine/graphics/GraphicsManager.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/ScreenCover.h"
#include "engine/graphics/ShaderList.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextureLoader.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"

float SpotlightRadius = 25.0f;

namespace
{
const char* const kShaderList = "Shaders/ShaderList.txt";
const char* const kDefaultProgram = "Shaders/DefaultShader.vert";
const char* const kLightProgram = "Shaders/Light.vert";
constexpr size_t kMaxPrograms = 64;
constexpr float kGodRadius = 0.9f;
constexpr float kAmbient = 0.5f;

bool IsScreenLayer(int layer)
{
    return layer >= kLayerHud;
}

// Mip levels only pay where a texture is drawn smaller than it is: never for pixel art sampled
// nearest, nor for the screen layers' pictures, which are made for the window and drawn at or
// above their size (a third more memory and slower sampling for nothing). The first draw of a
// texture decides.
bool WantsMipmaps(bool nearest, int layer)
{
    return !nearest && !IsScreenLayer(layer);
}
} // namespace

GraphicsManager& GraphicsManager::Get()
{
    static GraphicsManager instance;
    return instance;
}

GraphicsManager::GraphicsManager()
{
    submitter_.Init();
    BuildPrograms(kShaderList);
    SetPipelineState();
}

void GraphicsManager::BuildPrograms(const std::string& listPath)
{
    std::string text;
    if (!Files::ReadDataFile(listPath, text))
    {
        LogDataWarning("shaders", listPath.c_str(), "",
                       "missing or unreadable; nothing can be drawn");
        return;
    }
    for (const auto& pair : ReadShaderList(text, listPath))
    {
        if (Programs.size() >= kMaxPrograms)
        {
            LogDataWarning("shaders", listPath.c_str(), "",
                           "more than 64 programs; the rest ignored");
            break;
        }
        BuildProgram(pair.first, pair.second);
    }
}

void GraphicsManager::BuildProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    ShaderRecord vertex;
    vertex.FileName = vertexPath;
    vertex.Kind = 0;
    ShaderRecord fragment;
    fragment.FileName = fragmentPath;
    fragment.Kind = 1;
    vertex.Compile();
    fragment.Compile();
    auto program = std::make_unique<ShaderProgram>();
    program->Link(vertex, fragment);
    if (Gpu::Enabled())
    {
        // The program keeps the shader objects alive.
        glDeleteShader(vertex.Id);
        glDeleteShader(fragment.Id);
    }
    auto old = Programs.find(vertexPath);
    if (old != Programs.end()) old->second->Delete();
    Programs[vertexPath] = std::move(program);
    VertexShaders[vertexPath] = vertex;
    FragmentShaders[fragmentPath] = fragment;
}

void GraphicsManager::SetPipelineState()
{
    if (!Gpu::Enabled()) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendEquation(GL_FUNC_ADD);
    // Overlap is decided by draw order alone: no depth test, and the window has no depth planes.
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
}

ShaderProgram* GraphicsManager::FindProgram(const std::string& vertexPath)
{
    auto it = Programs.find(vertexPath);
    return it == Programs.end() ? nullptr : it->second.get();
}

ShaderProgram* GraphicsManager::GetDefaultProgram()
{
    return FindProgram(kDefaultProgram);
}

ShaderProgram* GraphicsManager::ProgramFor(const Sprite& sprite)
{
    auto it = bySpriteShader_.find(sprite.ShaderName);
    if (it != bySpriteShader_.end()) return it->second;
    ShaderProgram* program = FindProgram(sprite.ShaderName + ".vert");
    if (!program)
    {
        program = GetDefaultProgram();
        LogLine("graphics: %s: \"Shader\": no program \"%s.vert\" in %s; using the default",
                sprite.owner ? sprite.owner->name.c_str() : "?", sprite.ShaderName.c_str(),
                kShaderList);
    }
    bySpriteShader_[sprite.ShaderName] = program;
    return program;
}

void GraphicsManager::BeginFrame(int width, int height)
{
    frameWidth = width;
    frameHeight = height;
    spritesDrawnLastFrame = spritesDrawn;
    spritesDrawn = 0;
    submitter_.ResetStats();
    worldLight_.hasPlayer = 0;
    worldLit_ = false;
    if (!Gpu::Enabled()) return;
    // Pictures are drawn from their full-size level when the world is drawn at the art's
    // density or finer (only minified art needs the smaller ones).
    submitter_.fullLevelOnly = WorldTarget::ArtFits(height);
    // The editor's GUI pass changes GL state; put ours back every frame.
    SetPipelineState();
    world_.Begin(width, height);
}

bool GraphicsManager::HidesWhatIsBelow(GameObject& obj) const
{
    const Sprite* sprite = obj.Get<Sprite>();
    Transform* t = obj.Get<Transform>();
    if (!sprite || !t || !sprite->Active || !sprite->OpaqueTint || sprite->Transparency < 1.0f ||
        !ResourceManager::Get().TextureOpaque(sprite->CurrentTexture()))
        return false;
    glm::mat4 model(1.0f);
    t->BuildModelMatrix(model);
    return MeshCoversScreen(*sprite, model);
}

void GraphicsManager::PlanCover(bool menuShown)
{
    coveredBelow_ = 0;
    // Opacity is known once a texture is decoded, which only a GPU run does; a headless run
    // skips no drawing, and has none to skip.
    if (!Gpu::Enabled()) return;
    GameObjectManager& objects = GameObjectManager::Get();
    for (int layer = kLayerCount - 1; layer >= kLayerHud; --layer)
    {
        if (layer == kLayerMenu && !menuShown) continue;
        bool covered = false;
        objects.ForEachActive(layer,
                              [&](GameObject& obj) { covered = covered || HidesWhatIsBelow(obj); });
        if (covered)
        {
            coveredBelow_ = layer;
            return;
        }
    }
}

void GraphicsManager::FinishWorld()
{
    if (!Gpu::Enabled()) return;
    if (!worldLit_ && world_.Drawn())
    {
        worldLit_ = true;
        ShaderProgram* mapProgram = FindProgram(kLightProgram);
        if (!mapProgram && worldLight_.hasPlayer && !lightMissingReported_)
        {
            lightMissingReported_ = true;
            LogLine("graphics: no program \"%s\" in %s; the world is drawn unlit", kLightProgram,
                    kShaderList);
        }
        lightPass_.Apply(mapProgram, GetDefaultProgram(), worldLight_, lightView_,
                         lightProjection_);
    }
    world_.Resolve();
}

void GraphicsManager::DrawLayer(int layer)
{
    if (layer < 0 || layer >= kLayerCount) return;
    if (IsScreenLayer(layer)) FinishWorld();
    worldView_ = glm::mat4(1.0f);
    worldProjection_ = glm::mat4(1.0f);
    if (!IsScreenLayer(layer))
    {
        worldView_ = CameraManager::Get().CurrentView();
        worldProjection_ = PerspectiveProjection(kWorldAspect);
        // Every world layer shares the camera: the light pass lays its map with it.
        lightView_ = worldView_;
        lightProjection_ = worldProjection_;
    }
    // The player's pieces, looked up once per layer rather than for every sprite.
    GameObject* playerObj = GameObjectManager::Get().Player();
    layerPlayerAt_ = playerObj ? playerObj->Get<Transform>() : nullptr;
    layerLight_ = playerObj ? Hooks().LightOf(*playerObj) : PlayerLight();
    GameObjectManager::Get().ForEachActive(layer, [this, layer](GameObject& obj)
                                           { DrawObject(obj, layer); });
    submitter_.Flush();
}

void GraphicsManager::WarmTextures()
{
    if (!Gpu::Enabled()) return;
    for (int layer = 0; layer < kLayerCount; ++layer)
        GameObjectManager::Get().ForEachActive(layer, [](GameObject& obj) { WarmSprite(obj); });
}

void GraphicsManager::WarmSprite(GameObject& obj)
{
    constexpr int kWarmSheetPixels = 512 * 512;
    const Sprite* sprite = obj.Get<Sprite>();
    if (!sprite || !sprite->Active) return;
    ResourceManager& resources = ResourceManager::Get();
    const int slots = std::min(std::max(sprite->TextureNumber, 1), Sprite::kSlots);
    const int current = sprite->CurrentTexture();
    for (int s = 0; s < slots; ++s)
    {
        const int index = sprite->TextureSlots[static_cast<size_t>(s)];
        if (index == current || resources.TexturePixels(index) <= kWarmSheetPixels)
            resources.TextureName(
                index, WantsMipmaps(sprite->NearestSlots[static_cast<size_t>(s)], obj.layer));
    }
}

void GraphicsManager::PrepareDraw(Sprite& sprite, SpriteDraw& d)
{
    sprite.Animate(sprite.AnimationIndex);
    d.sprite = &sprite;
    d.program = ProgramFor(sprite);
    d.textureIndex = sprite.CurrentTexture();
    d.nearest = sprite.CurrentNearest();
    d.textureName =
        ResourceManager::Get().TextureName(d.textureIndex, WantsMipmaps(d.nearest, d.layer));
    d.upload = !(sprite.Static && sprite.Uploaded);
    sprite.Uploaded = true;
    ShaderProgram& program = d.program ? *d.program : noProgram_;
    // "Model" keeps its last value when the object has no transform.
    Transform* t = sprite.owner ? sprite.owner->Get<Transform>() : nullptr;
    if (t) t->BuildModelMatrix(program.model);
    d.model = program.model;
}

void GraphicsManager::DrawObject(GameObject& obj, int layer)
{
    Sprite* sprite = obj.Get<Sprite>();
    if (!sprite || !sprite->Active) return;
    SpriteDraw d;
    d.layer = layer;
    PrepareDraw(*sprite, d);
    ShaderProgram& program = d.program ? *d.program : noProgram_;
    d.view = worldView_;
    d.projection = worldProjection_;
    SetLighting(program.light, *sprite, layer);
    d.light = program.light;
    d.texture = ResourceManager::Get().TextureFactsOf(d.textureIndex);
    d.opaque = sprite->OpaqueTint && d.light.transparency >= 1.0f && d.texture.opaque;
    FadeWithoutProgram(d);
    ++spritesDrawn;
    if (drawListener) drawListener(d);
    if (!Gpu::Enabled() || !d.program || layer < coveredBelow_) return;
    if (layer < kLayerHud)
    {
        world_.MarkDrawn();
        worldLight_ = d.light;
    }
    if (submitter_.batching)
        submitter_.Add(d);
    else
        submitter_.DrawDirect(d, SpriteSubmitter::kTextureUnit, true);
}

void GraphicsManager::FadeWithoutProgram(SpriteDraw& d)
{
    // A plain picture program does not read the transparency, which keeps it on software GL's
    // span-copying path. An opaque picture is faded by blending instead; a translucent one that
    // is fading needs the multiply, so the default program draws it.
    if (!d.program || d.light.transparency >= 1.0f || d.program->Location(kUniTransparency) >= 0)
        return;
    if (d.texture.opaque)
        d.fadeByBlend = true;
    else if (ShaderProgram* fallback = GetDefaultProgram())
        d.program = fallback;
}

void GraphicsManager::SetLighting(LightState& light, const Sprite& sprite, int layer)
{
    Transform* playerAt = layerPlayerAt_;
    if (playerAt) light.playerPos = playerAt->position;
    light.hasPlayer = playerAt ? 1 : 0;
    light.godRadius = kGodRadius;
    light.spotlightRadius = SpotlightRadius;
    light.ambient = kAmbient;
    if (layerLight_.known)
    {
        light.spotLight = layerLight_.closingLight ? 1 : 0;
        light.godMode = layerLight_.godMode ? 1 : 0;
    }
    light.transparency = sprite.Transparency;
    light.screenSpace = IsScreenLayer(layer) ? 1 : 0;
}

void GraphicsManager::DrawSingle(Sprite& sprite)
{
    SpriteDraw d;
    PrepareDraw(sprite, d);
    if (!d.program) return;
    d.view = CameraManager::Get().CurrentView();
    float aspect = frameHeight > 0 ? static_cast<float>(frameWidth) / frameHeight : kWorldAspect;
    d.projection = PerspectiveProjection(aspect);
    // The preview's near and far planes are 1 and 100.
    d.projection[2][2] = -1.020202f;
    d.projection[3][2] = -2.020202f;
    if (!Gpu::Enabled()) return;
    FinishWorld();
    GLint units = 0;
    glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &units);
    int unit = d.textureIndex < units ? d.textureIndex : 0;
    submitter_.DrawDirect(d, unit, false);
}

bool GraphicsManager::SaveScreenshot(const std::string& path)
{
    if (!Gpu::Enabled())
    {
        LogLine("screenshot: %s: no GPU in this run; nothing written", path.c_str());
        return false;
    }
    int w = frameWidth, h = frameHeight;
    if (w <= 0 || h <= 0)
    {
        LogLine("screenshot: %s: no frame drawn yet; nothing written", path.c_str());
        return false;
    }
    FinishWorld();
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<unsigned char> flipped(pixels.size());
    size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        std::copy_n(pixels.data() + static_cast<size_t>(h - 1 - y) * row, row,
                    flipped.data() + y * row);
    // The back buffer's alpha is whatever blending left there; the picture is opaque.
    for (size_t i = 3; i < flipped.size(); i += 4) flipped[i] = 255;
    bool ok = WritePngFile(path, flipped.data(), w, h);
    if (ok) LogLine("screenshot: wrote %s (%dx%d)", path.c_str(), w, h);
    return ok;
}

void GraphicsManager::Release()
{
    submitter_.Release();
    world_.Release();
    lightPass_.Release();
    for (auto& p : Programs) p.second->Delete();
    Programs.clear();
    VertexShaders.clear();
    FragmentShaders.clear();
    bySpriteShader_.clear();
}
