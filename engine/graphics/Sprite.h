// Sprite: a textured mesh with frame animation from sprite-sheet rectangles.
//
// Behaviour components steer it through TextureSlot, AnimationIndex, Mirrored, Active and
// Transparency. Everything read from data is checked on the way in, and every table access is
// checked again at use, since those public fields can be written by anyone.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/objects/Component.h"

struct FrameRect
{
    float x, y, w, h;
};

class Sprite final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompSprite;

    static constexpr int kMaxFloats = 200;
    static constexpr int kSlots = 30;

    explicit Sprite(GameObject* owner);
    ~Sprite() override;

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    bool Deserialize(const JsonView& value) override;
    // Everything read from data and every animation state; the GPU buffer stays this sprite's own.
    Component* CopyFrom(const Component* other) override;
    virtual bool ReadText() { return true; }
    void WriteState(JsonWriter& w) const override;

    // Steps animation a by one draw (called by the render pass for every sprite it draws).
    void Animate(int a);
    std::string GetShaderName() const { return ShaderName; }

    // Texture index in slot TextureSlot; slot 0's when TextureSlot is out of range.
    int CurrentTexture() const;
    // Whether slot TextureSlot's texture is sampled nearest (its entry's "Filter").
    bool CurrentNearest() const;
    // How many vertices can be drawn without reading past VertexData (0: unusable layout).
    int DrawableVertices() const;
    // Index in FrameRects of animation a's first rectangle (the frames of all lower slots).
    int FirstRect(int a) const;

    unsigned VertexBuffer = 0;
    std::array<float, kMaxFloats> VertexData{};
    std::vector<FrameRect> FrameRects;
    std::array<int, kSlots> TextureSlots{};
    std::array<bool, kSlots> NearestSlots{};
    int TextureNumber = 0;
    int CoordsPerVertex = 0, CoordsPerPos = 0, CoordsPerColor = 0, VertexNumber = 0;
    std::string ShaderName;
    int TextureSlot = 0;
    int CurrentFrame = 0;
    std::array<int, kSlots> SheetWidths{};
    std::array<int, kSlots> SheetHeights{};
    int AnimationIndex = 0;
    std::array<int, kSlots> FrameCounts{};
    bool Mirrored = false;
    std::array<double, kSlots> Timers{};
    std::array<double, kSlots> FrameTimes{};
    bool Active = true;
    bool Static = false;
    bool Uploaded = false;
    float Transparency = 1.0f;
    bool OpaqueTint = true; // no vertex colour lowers alpha

    // GPU side: the sprite's own buffer holds its vertices (only the one-draw-per-sprite path
    // uses that buffer).
    bool BufferFilled = false;

  private:
    bool ReadMesh(const JsonView& mesh);
    void ReadTextureEntry(const JsonView& entry);
    void ReadFilter(const JsonView& entry, int slot);
    void LoadCoordFile(const JsonView& entry, const std::string& path, int frames);
    void WriteTexCoords(float l, float r, float b, float t);

    bool deserialized_ = false;
    bool warnedRange_ = false;
};
