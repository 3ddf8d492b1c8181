#include "engine/graphics/TextureLoader.h"

#include <algorithm>
#include <cstring>

#include <GL/glew.h>

// The one place the image library's code is compiled. Every texture the game ships is a PNG, so
// the other decoders are left out: less code to trust with a player's files (the fuzzer found
// a signed overflow in the PNM header reader).
#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <memory>
#include <vector>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/graphics/Gpu.h"

namespace
{
// Sheets are small; this stops a huge or hostile file before the decoder sees it.
constexpr size_t kMaxImageBytes = 32u * 1024u * 1024u;
constexpr int kMaxSide = 8192;

void AppendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}
} // namespace

void HalveImage(const unsigned char* rgba, int width, int height, std::vector<unsigned char>& out,
                int& outWidth, int& outHeight)
{
    outWidth = std::max(1, width / 2);
    outHeight = std::max(1, height / 2);
    out.resize(static_cast<size_t>(outWidth) * static_cast<size_t>(outHeight) * 4u);
    auto at = [&](int x, int y, int c)
    {
        // An odd last row or column folds into its neighbour, as GL's own halving does.
        x = std::min(x, width - 1);
        y = std::min(y, height - 1);
        return static_cast<unsigned>(rgba[(static_cast<size_t>(y) * width + x) * 4u + c]);
    };
    for (int y = 0; y < outHeight; ++y)
        for (int x = 0; x < outWidth; ++x)
            for (int c = 0; c < 4; ++c)
            {
                unsigned sum = at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) +
                               at(2 * x, 2 * y + 1, c) + at(2 * x + 1, 2 * y + 1, c);
                out[(static_cast<size_t>(y) * outWidth + x) * 4u + c] =
                    static_cast<unsigned char>((sum + 2) / 4);
            }
}

namespace
{
// The smaller levels are averaged here rather than by glGenerateMipmap: on software GL that
// call builds a blit shader per texture, which cost start-up time and kept driver memory that
// is never returned.
void UploadMipChain(const unsigned char* bgra, int width, int height)
{
    std::vector<unsigned char> level, next;
    const unsigned char* pixels = bgra;
    int w = width, h = height, index = 0;
    while (w > 1 || h > 1)
    {
        int nw = 0, nh = 0;
        HalveImage(pixels, w, h, next, nw, nh);
        level.swap(next);
        pixels = level.data();
        w = nw;
        h = nh;
        glTexImage2D(GL_TEXTURE_2D, ++index, GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, index);
}
} // namespace

unsigned MakeTargetTexture(int width, int height, int filter)
{
    if (!Gpu::Enabled()) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

void SwapRedAndBlue(unsigned char* pixels, size_t count)
{
    for (size_t i = 0; i < count * 4u; i += 4) std::swap(pixels[i], pixels[i + 2]);
}

unsigned UploadBgraTexture(const unsigned char* bgra, int width, int height, bool mipmaps)
{
    if (!Gpu::Enabled()) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // An unsized format with BGRA bytes lets the driver keep the pixels in the order software
    // GL's fast span paths read; a sized GL_RGBA8 would store them RGBA and shut those out.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (mipmaps)
        UploadMipChain(bgra, width, height);
    else
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

namespace
{
// Every chunk's stated length fits in what is left of the file. stb_image grows its buffer to a
// data chunk's stated length before reading it, so a few damaged bytes could ask for gigabytes.
bool PngChunksFit(const std::string& bytes)
{
    size_t at = 8; // past the signature
    while (at < bytes.size())
    {
        if (bytes.size() - at < 12) return false;
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        const size_t length =
            (size_t{b[0]} << 24) | (size_t{b[1]} << 16) | (size_t{b[2]} << 8) | b[3];
        if (length > bytes.size() - at - 12) return false;
        if (std::memcmp(b + 4, "IEND", 4) == 0) return true;
        at += length + 12;
    }
    return true;
}

bool ImageHeaderOk(const std::string& bytes, const std::string& path, int* pixels = nullptr)
{
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    int len = static_cast<int>(bytes.size());
    int w = 0, h = 0, channels = 0;
    if (pixels) *pixels = 0;
    if (!stbi_info_from_memory(data, len, &w, &h, &channels) || w <= 0 || h <= 0 || w > kMaxSide ||
        h > kMaxSide)
    {
        LogDataWarning("textures", path.c_str(), "",
                       "not an image this game reads (or over 8192 pixels); drawn magenta");
        return false;
    }
    if (!PngChunksFit(bytes))
    {
        LogDataWarning(
            "textures", path.c_str(), "",
            "a chunk runs past the end of the file (damaged or cut short); drawn magenta");
        return false;
    }
    if (pixels) *pixels = w * h;
    return true;
}
} // namespace

namespace
{
using Pixels = std::unique_ptr<stbi_uc, void (*)(void*)>;

// The decoder's own buffer, bottom row first (texture v runs up the sheet, as the frame
// rectangles assume); empty, with one line, when the file is refused or does not decode.
Pixels DecodePixels(const std::string& bytes, const std::string& path, int& width, int& height)
{
    Pixels none(nullptr, stbi_image_free);
    if (bytes.size() > kMaxImageBytes || !ImageHeaderOk(bytes, path)) return none;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    int channels = 0;
    stbi_set_flip_vertically_on_load(1);
    Pixels pixels(
        stbi_load_from_memory(data, static_cast<int>(bytes.size()), &width, &height, &channels, 4),
        stbi_image_free);
    stbi_set_flip_vertically_on_load(0);
    if (!pixels)
        LogDataWarning(
            "textures", path.c_str(), "",
            (std::string("cannot decode: ") + stbi_failure_reason() + "; drawn magenta").c_str());
    return pixels;
}
} // namespace

bool DecodeImage(const std::string& bytes, const std::string& path,
                 std::vector<unsigned char>& rgba, int& width, int& height)
{
    rgba.clear();
    int w = 0, h = 0;
    Pixels pixels = DecodePixels(bytes, path, w, h);
    if (!pixels) return false;
    rgba.assign(pixels.get(), pixels.get() + static_cast<size_t>(w) * static_cast<size_t>(h) * 4u);
    width = w;
    height = h;
    return true;
}

bool CheckTextureFile(const std::string& path, int* pixels)
{
    if (pixels) *pixels = 0;
    std::string bytes;
    if (!Files::ReadDataFile(path, bytes, kMaxImageBytes))
    {
        LogDataWarning("textures", path.c_str(), "",
                       "missing, unreadable or too large; drawn magenta");
        return false;
    }
    return ImageHeaderOk(bytes, path, pixels);
}

unsigned MagentaTexture()
{
    const unsigned char pixel[4] = {255, 0, 255, 255};
    return UploadBgraTexture(pixel, 1, 1, false);
}

TextureFacts ExamineTexture(const unsigned char* pixels, int width, int height)
{
    TextureFacts facts;
    if (!pixels || width <= 0 || height <= 0) return facts;
    facts.width = width;
    facts.height = height;
    const size_t w = static_cast<size_t>(width);
    auto alpha = [&](int x, int y) { return pixels[(static_cast<size_t>(y) * w + x) * 4u + 3]; };
    facts.opaque = true;
    int x0 = width, x1 = -1, y0 = height, y1 = -1;
    for (int y = 0; y < height; ++y)
    {
        int first = 0;
        while (first < width && alpha(first, y) == 0) ++first;
        if (first == width)
        {
            facts.opaque = false;
            continue;
        }
        int last = width - 1;
        while (alpha(last, y) == 0) --last;
        for (int x = first; x <= last && facts.opaque; ++x) facts.opaque = alpha(x, y) == 255;
        if (first > 0 || last < width - 1) facts.opaque = false;
        x0 = std::min(x0, first);
        x1 = std::max(x1, last);
        y0 = std::min(y0, y);
        y1 = y;
    }
    if (x1 < 0)
    {
        // Nothing shows: an empty part in the middle.
        facts.content[0] = facts.content[2] = 0.5f;
        facts.content[1] = facts.content[3] = 0.5f;
        return facts;
    }
    // A texel more on each side: filtering spreads an edge texel half a texel outwards.
    x0 = std::max(x0 - 1, 0);
    y0 = std::max(y0 - 1, 0);
    x1 = std::min(x1 + 2, width);
    y1 = std::min(y1 + 2, height);
    facts.content[0] = static_cast<float>(x0) / width;
    facts.content[1] = static_cast<float>(y0) / height;
    facts.content[2] = static_cast<float>(x1) / width;
    facts.content[3] = static_cast<float>(y1) / height;
    return facts;
}

unsigned LoadTextureFile(const std::string& path, TextureFacts* facts, bool mipmaps)
{
    if (facts) *facts = TextureFacts();
    std::string bytes;
    if (!Files::ReadDataFile(path, bytes, kMaxImageBytes))
    {
        LogDataWarning("textures", path.c_str(), "",
                       "missing, unreadable or too large; drawn magenta");
        return MagentaTexture();
    }
    // Uploaded from the decoder's buffer itself: a copy would add a whole picture to the
    // memory peak of every full-screen slide.
    int w = 0, h = 0;
    Pixels pixels = DecodePixels(bytes, path, w, h);
    if (!pixels) return MagentaTexture();
    if (facts) *facts = ExamineTexture(pixels.get(), w, h);
    SwapRedAndBlue(pixels.get(), static_cast<size_t>(w) * static_cast<size_t>(h));
    return UploadBgraTexture(pixels.get(), w, h, mipmaps);
}

void ReleaseTextures(const unsigned* names, int count)
{
    if (!Gpu::Enabled() || !names || count <= 0) return;
    glDeleteTextures(count, names);
}

bool WritePngFile(const std::string& path, const unsigned char* rgba, int width, int height)
{
    std::string png;
    if (!stbi_write_png_to_func(AppendBytes, &png, width, height, 4, rgba, width * 4))
    {
        LogLine("screenshot: %s: cannot encode the PNG", path.c_str());
        return false;
    }
    return Files::WriteFileAtomic(path, png);
}
