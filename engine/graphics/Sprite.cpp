#include "engine/graphics/Sprite.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include <GL/glew.h>

#include "engine/core/FrameRateController.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/SpriteSheet.h"
#include "engine/objects/GameObject.h"

namespace
{
// All rectangles of one sprite together; real sheets hold a few dozen.
constexpr size_t kMaxRects = 4096;
constexpr size_t kMaxCoordFileBytes = 1u << 20;
} // namespace

Sprite::Sprite(GameObject* owner) : Component(owner, kCompSprite) {}

Sprite::~Sprite()
{
    if (VertexBuffer && Gpu::Enabled()) glDeleteBuffers(1, &VertexBuffer);
}

bool Sprite::Deserialize(const JsonView& value)
{
    bool first = !deserialized_;
    deserialized_ = true;
    std::string text;
    if (value.Read("Static", text))
        Static = text == "true";
    else if (first && !value.Has("Static"))
        value["Static"].Warn("missing; taken as \"false\"");
    JsonView mesh = value["Mesh"];
    if (mesh.Valid()) ReadMesh(mesh);
    if (value.Read("Active", text) && text == "false") Active = false;
    value.Read("TextureNumber", TextureNumber);
    JsonView textures = value["Textures"];
    if (textures.Valid() && !textures.IsArray())
        textures.Warn("expected an array; no textures read");
    for (size_t i = 0; i < textures.Size(); ++i) ReadTextureEntry(textures.At(i));
    value.Read("Shader", ShaderName);
    return true;
}

Component* Sprite::CopyFrom(const Component* other)
{
    const auto* s = dynamic_cast<const Sprite*>(other);
    if (!s || s == this) return this;
    VertexData = s->VertexData;
    FrameRects = s->FrameRects;
    TextureSlots = s->TextureSlots;
    NearestSlots = s->NearestSlots;
    TextureNumber = s->TextureNumber;
    CoordsPerVertex = s->CoordsPerVertex;
    CoordsPerPos = s->CoordsPerPos;
    CoordsPerColor = s->CoordsPerColor;
    VertexNumber = s->VertexNumber;
    ShaderName = s->ShaderName;
    TextureSlot = s->TextureSlot;
    CurrentFrame = s->CurrentFrame;
    SheetWidths = s->SheetWidths;
    SheetHeights = s->SheetHeights;
    AnimationIndex = s->AnimationIndex;
    FrameCounts = s->FrameCounts;
    Mirrored = s->Mirrored;
    Timers = s->Timers;
    FrameTimes = s->FrameTimes;
    Active = s->Active;
    Static = s->Static;
    Transparency = s->Transparency;
    OpaqueTint = s->OpaqueTint;
    deserialized_ = s->deserialized_;
    warnedRange_ = s->warnedRange_;
    Uploaded = BufferFilled = false;
    return this;
}

bool Sprite::ReadMesh(const JsonView& mesh)
{
    if (!mesh.IsObject())
    {
        mesh.Warn("expected an object; mesh unchanged");
        return false;
    }
    int vn = 0, cpv = 0, cpp = 0, cpc = 0;
    const char* const keys[] = {"VertexNumber", "CoordsPerVertex", "CoordsPerPos",
                                "CoordsPerColor"};
    int* const outs[] = {&vn, &cpv, &cpp, &cpc};
    for (int i = 0; i < 4; ++i)
    {
        if (mesh.Read(keys[i], *outs[i])) continue;
        if (!mesh.Has(keys[i])) mesh[keys[i]].Warn("missing; mesh refused");
        return false;
    }
    JsonView data = mesh["Data"];
    if (!data.IsArray())
    {
        data.Warn(data.Valid() ? "expected an array of numbers; mesh refused"
                               : "missing; mesh refused");
        return false;
    }
    if (cpp < 1 || cpp > 4 || cpc < 0 || cpc > 4 || cpv < cpp + cpc + 2 || vn < 0)
    {
        mesh.Warn("needs CoordsPerPos 1-4, CoordsPerColor 0-4, CoordsPerVertex >= their sum + 2 "
                  "and VertexNumber >= 0; mesh refused");
        return false;
    }
    long long floats = static_cast<long long>(vn) * cpv;
    if (floats > kMaxFloats || data.Size() > static_cast<size_t>(kMaxFloats))
    {
        mesh.Warn(
            "more than 200 floats (VertexNumber x CoordsPerVertex, or \"Data\"); mesh refused");
        return false;
    }
    if (data.Size() < static_cast<size_t>(floats))
    {
        data.Warn("fewer numbers than VertexNumber x CoordsPerVertex; mesh refused");
        return false;
    }
    // Read into a copy: a mesh with one bad number is refused whole.
    std::array<float, kMaxFloats> tmp = VertexData;
    if (!data.ReadElements(tmp.data(), std::min(data.Size(), tmp.size()),
                           "expected a number; mesh refused"))
        return false;
    VertexData = tmp;
    VertexNumber = vn;
    CoordsPerVertex = cpv;
    CoordsPerPos = cpp;
    CoordsPerColor = cpc;
    // A fourth colour number is alpha; fewer leave GL's default of 1.
    OpaqueTint = true;
    for (int v = 0; cpc == 4 && v < vn; ++v)
        OpaqueTint = OpaqueTint && VertexData[static_cast<size_t>(v * cpv + cpp + 3)] >= 1.0f;
    Uploaded = false;
    BufferFilled = false;
    return true;
}

void Sprite::ReadTextureEntry(const JsonView& entry)
{
    if (!entry.IsObject())
    {
        entry.Warn("expected an object; entry skipped");
        return;
    }
    int slot = 0;
    // A slot that is there but unreadable ("3", 2^31) is reported by Read; the entry must not
    // land in slot 0 instead.
    if (entry.Has("Animation") && !entry.Read("Animation", slot)) return;
    if (slot < 0 || slot >= kSlots)
    {
        entry["Animation"].Warn("slot outside 0-29; entry skipped");
        return;
    }
    std::string name;
    if (entry.Read("Name", name)) TextureSlots[slot] = ResourceManager::Get().GetTexture(name);
    ReadFilter(entry, slot);
    int width = 0, height = 0, frames = 0;
    entry.Read("Width", width);
    entry.Read("Height", height);
    SheetWidths[slot] = width;
    SheetHeights[slot] = height;
    entry.Read("Time", FrameTimes[slot]);
    entry.Read("Frames", frames);
    if (frames < 0)
    {
        entry["Frames"].Warn("negative; taken as 0");
        frames = 0;
    }
    if (frames > 0 && (width <= 0 || height <= 0))
        entry.Warn("\"Width\" and \"Height\" must be positive for an animation; frames not drawn");
    std::string coords;
    if (entry.Read("CoordData", coords)) LoadCoordFile(entry, coords, frames);
    FrameCounts[slot] = frames;
}

void Sprite::ReadFilter(const JsonView& entry, int slot)
{
    // Pixel art drawn at or above its own size asks for "Nearest": its pixels stay square and
    // sharp, and a software rasteriser reads one texel instead of eight. Everything else keeps
    // the mipmapped, linear filters.
    std::string filter;
    if (!entry.Read("Filter", filter)) return;
    if (filter == "Nearest" || filter == "Linear")
        NearestSlots[slot] = filter == "Nearest";
    else
        entry["Filter"].Warn("expected \"Nearest\" or \"Linear\"; kept");
}

void Sprite::LoadCoordFile(const JsonView& entry, const std::string& path, int frames)
{
    std::string text;
    if (!Files::ReadDataFile(path, text, kMaxCoordFileBytes))
    {
        LogPrintf("Error Opening Texture Coord File: %s (%s)\n", path.c_str(), entry.File());
        return;
    }
    int added = ParseFrameRects(text, path, FrameRects, kMaxRects);
    if (added < frames)
    {
        std::string what = "holds " + std::to_string(added) + " frames but \"Frames\" is " +
                           std::to_string(frames) + "; the missing frames are not drawn";
        LogDataWarning("sprite", path.c_str(), "", what.c_str());
    }
}

int Sprite::FirstRect(int a) const
{
    long long sum = 0;
    for (int s = 0; s < a && s < kSlots; ++s) sum += std::max(0, FrameCounts[s]);
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

bool Sprite::CurrentNearest() const
{
    return NearestSlots[TextureSlot >= 0 && TextureSlot < kSlots ? TextureSlot : 0];
}

int Sprite::CurrentTexture() const
{
    int slot = TextureSlot >= 0 && TextureSlot < kSlots ? TextureSlot : 0;
    int index = TextureSlots[slot];
    return index >= 0 && index < ResourceManager::kMaxTextures ? index : 0;
}

int Sprite::DrawableVertices() const
{
    if (CoordsPerPos < 1 || CoordsPerPos > 4 || CoordsPerColor < 0 || CoordsPerColor > 4 ||
        CoordsPerVertex < CoordsPerPos + CoordsPerColor + 2 || VertexNumber <= 0)
        return 0;
    return std::min(VertexNumber, kMaxFloats / CoordsPerVertex);
}

void Sprite::Animate(int a)
{
    if (AnimationIndex < 0 || AnimationIndex >= kSlots || a < 0 || a >= kSlots)
    {
        if (!warnedRange_)
            LogLine("sprite: %s: animation %d is outside slots 0-29; not animated",
                    owner ? owner->name.c_str() : "?", a);
        warnedRange_ = true;
        return;
    }
    double& timer = Timers[AnimationIndex];
    if (timer > 0.0)
    {
        timer -= FrameRateController::Get().frameBudgetMs;
        return;
    }
    timer = FrameTimes[AnimationIndex];
    if (Static) return;
    int frames = FrameCounts[a];
    // No frames to show: the coordinates stay as they are.
    if (frames <= 0) return;
    if (CurrentFrame >= frames || CurrentFrame < 0) CurrentFrame = 0;
    size_t index = static_cast<size_t>(FirstRect(a)) + static_cast<size_t>(CurrentFrame);
    float w = static_cast<float>(SheetWidths[a]);
    float h = static_cast<float>(SheetHeights[a]);
    if (index < FrameRects.size() && w > 0.0f && h > 0.0f)
    {
        const FrameRect& r = FrameRects[index];
        float l = r.x / w, rt = (r.x + r.w) / w;
        float b = 1.0f - (r.y + r.h) / h, t = 1.0f - r.y / h;
        if (Mirrored)
            WriteTexCoords(rt, l, b, t);
        else
            WriteTexCoords(l, rt, b, t);
    }
    CurrentFrame = (CurrentFrame + 1) % frames;
}

void Sprite::WriteTexCoords(float l, float r, float b, float t)
{
    if (DrawableVertices() == 0) return;
    const float u[6] = {r, l, l, r, r, l};
    const float v[6] = {b, b, t, b, t, t};
    int offset = CoordsPerPos + CoordsPerColor;
    for (int i = 0; i < 6; ++i)
    {
        int at = i * CoordsPerVertex + offset;
        if (at + 1 >= kMaxFloats) break;
        VertexData[at] = u[i];
        VertexData[at + 1] = v[i];
    }
}

void Sprite::WriteState(JsonWriter& w) const
{
    w.Key("Active");
    w.Bool(Active);
    w.Key("Transparency");
    w.Double(Transparency);
    w.Key("TextureSlot");
    w.Int(TextureSlot);
}
