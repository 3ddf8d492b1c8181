#include "engine/graphics/TextRenderer.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <GL/glew.h>
#include <SDL_ttf.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/core/CameraManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/objects/Transform.h"

namespace
{
// Two triangles over a unit square centred on the origin: position, colour, texture.
const float kQuad[6 * 9] = {
    0.5f,  0.5f,  0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, //
    -0.5f, -0.5f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, //
    -0.5f, 0.5f,  0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, //
    0.5f,  -0.5f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, //
    0.5f,  0.5f,  0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, //
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, //
};
constexpr GLsizei kStride = 9 * sizeof(float);
constexpr size_t kMaxCached = 256;
constexpr int kMaxTextPixels = 8192;

// The quad's v runs upwards while the image's rows run down: rows go in bottom first.
unsigned UploadText(SDL_Surface* image)
{
    std::vector<unsigned char> rows(static_cast<size_t>(image->w) * image->h * 4);
    size_t rowBytes = static_cast<size_t>(image->w) * 4;
    const auto* pixels = static_cast<const unsigned char*>(image->pixels);
    for (int y = 0; y < image->h; ++y)
        std::memcpy(&rows[(image->h - 1 - y) * rowBytes],
                    pixels + static_cast<size_t>(y) * image->pitch, rowBytes);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // ARGB8888 lies in memory as B, G, R, A on the machines we ship for.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->w, image->h, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 rows.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

std::string CacheKey(const TextRequest& r)
{
    std::string key = r.fontName;
    key += '\0';
    key += r.text;
    key += '\0';
    key += static_cast<char>(r.r);
    key += static_cast<char>(r.g);
    key += static_cast<char>(r.b);
    key += static_cast<char>(r.a);
    return key;
}
} // namespace

TextRenderer& TextRenderer::Get()
{
    static TextRenderer instance;
    return instance;
}

TextRenderer::TextRenderer()
{
    if (TTF_WasInit() == 0 && TTF_Init() != 0) LogPrintf("*** Error initializing SDL_ttf ***\n");
}

void TextRenderer::InitGpu()
{
    if (gpuReady_ || !Gpu::Enabled()) return;
    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &buffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    // The quad never changes, so it is sent once.
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    glVertexAttribPointer(kAttrPosition, 3, GL_FLOAT, GL_FALSE, kStride, nullptr);
    glVertexAttribPointer(kAttrTexCoord, 2, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(7 * sizeof(float)));
    glEnableVertexAttribArray(kAttrPosition);
    glEnableVertexAttribArray(kAttrTexCoord);
    // The colour column is not bound; the text's colour is in its image.
    glDisableVertexAttribArray(kAttrColor);
    glBindVertexArray(0);
    gpuReady_ = true;
}

bool TextRenderer::LoadFont(const std::string& path)
{
    auto bytes = std::make_unique<std::string>();
    TTF_Font* font = nullptr;
    if (TTF_WasInit() && Files::ReadDataFile(path, *bytes) && !bytes->empty())
        font = TTF_OpenFontRW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1,
                              72);
    if (!font)
    {
        LogPrintf("*** Error initializing TTF_Font %s ***\n", path.c_str());
        return false;
    }
    auto old = Fonts.find(path);
    if (old != Fonts.end()) TTF_CloseFont(old->second);
    Fonts[path] = font;
    // The font reads from these bytes: they move in only once the old font is closed.
    FontFiles[path] = std::move(bytes);
    return true;
}

float TextRenderer::Aspect(const std::string& fontName, const std::string& text) const
{
    auto it = Fonts.find(fontName);
    int w = 0, h = 0;
    if (it == Fonts.end() || text.empty() || TTF_SizeUTF8(it->second, text.c_str(), &w, &h) != 0 ||
        h <= 0)
        return 0.0f;
    return static_cast<float>(w) / static_cast<float>(h);
}

void TextRenderer::DrawQueued()
{
    DrawQueuedPass(false);
    DrawQueuedPass(true);
}

void TextRenderer::DrawQueuedPass(bool overCurtain)
{
    if (!overCurtain) ++round_;
    // Texts are drawn at the window's resolution, over the world.
    GraphicsManager::Get().FinishWorld();
    for (const TextRequest& r : TextQueue)
        if (r.overCurtain == overCurtain) RenderText(r);
    if (!overCurtain) return;
    TextQueue.clear();
    DropStale();
}

void TextRenderer::RenderText(const TextRequest& request)
{
    auto it = Fonts.find(request.fontName);
    if (it == Fonts.end())
    {
        LogPrintf("Font %s not found\n", request.fontName.c_str());
        return;
    }
    ++textsDrawn;
    ShaderProgram* program = GraphicsManager::Get().GetDefaultProgram();
    if (!program || request.text.empty()) return;
    // What the program holds after this text, with or without a GPU.
    Transform place(nullptr);
    place.position = request.position;
    place.scale = request.scale;
    place.rotation = request.rotation;
    place.BuildModelMatrix(program->model);
    program->light.screenSpace = request.screenSpace ? 1 : 0;
    if (!Gpu::Enabled()) return;
    InitGpu();
    const CachedText* text = Rasterise(it->second, request);
    if (text) DrawQuad(*program, request.screenSpace, text->texture);
}

const TextRenderer::CachedText* TextRenderer::Rasterise(TTF_Font* font, const TextRequest& r)
{
    std::string key = CacheKey(r);
    auto hit = cache_.find(key);
    if (hit != cache_.end())
    {
        hit->second.lastRound = round_;
        return &hit->second;
    }
    SDL_Color colour{r.r, r.g, r.b, r.a};
    SDL_Surface* raw =
        r.text.empty() ? nullptr : TTF_RenderUTF8_Blended(font, r.text.c_str(), colour);
    if (!raw) return nullptr;
    SDL_Surface* image = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(raw);
    if (!image) return nullptr;
    CachedText entry;
    entry.lastRound = round_;
    if (image->w <= kMaxTextPixels && image->h <= kMaxTextPixels)
    {
        entry.texture = UploadText(image);
        ++rasterised;
    }
    else
    {
        LogLine("text: \"%.40s...\" is too long to draw", r.text.c_str());
    }
    SDL_FreeSurface(image);
    if (entry.texture == 0) return nullptr;
    return &(cache_[key] = entry);
}

void TextRenderer::DrawQuad(ShaderProgram& program, bool screenSpace, unsigned texture)
{
    glm::mat4 view(1.0f), projection(1.0f);
    if (!screenSpace)
    {
        view = CameraManager::Get().CurrentView();
        projection = PerspectiveProjection(kWorldAspect);
    }
    program.Use();
    glBindVertexArray(vertexArray_);
    glVertexAttrib4f(kAttrColor, 1.0f, 1.0f, 1.0f, 1.0f);
    program.SendMatrix(kUniModel, program.model);
    program.SendMatrix(kUniView, view);
    program.SendMatrix(kUniProjection, projection);
    program.SendInt(kUniScreenSpace, program.light.screenSpace);
    program.SendInt(kUniTexture, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void TextRenderer::DropStale()
{
    // Texts not drawn in this round are gone from the screen; a long run of changing texts
    // (a counter) must not pile up textures.
    for (auto it = cache_.begin(); it != cache_.end();)
    {
        bool stale = it->second.lastRound < round_ || cache_.size() > kMaxCached;
        if (!stale)
        {
            ++it;
            continue;
        }
        if (Gpu::Enabled()) glDeleteTextures(1, &it->second.texture);
        it = cache_.erase(it);
    }
}

void TextRenderer::Release()
{
    if (Gpu::Enabled())
    {
        for (auto& c : cache_) glDeleteTextures(1, &c.second.texture);
        if (gpuReady_)
        {
            glDeleteVertexArrays(1, &vertexArray_);
            glDeleteBuffers(1, &buffer_);
        }
    }
    cache_.clear();
    gpuReady_ = false;
    if (TTF_WasInit())
        for (auto& f : Fonts) TTF_CloseFont(f.second);
    Fonts.clear();
    FontFiles.clear();
    TextQueue.clear();
}
