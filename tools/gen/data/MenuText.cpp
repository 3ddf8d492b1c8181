#include "data/MenuText.h"

#include <cmath>
#include <fstream>
#include <iterator>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

namespace
{
const stbtt_fontinfo* Info(const std::vector<unsigned char>& raw)
{
    return reinterpret_cast<const stbtt_fontinfo*>(raw.data());
}
} // namespace

bool TtfFont::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    info_.assign(sizeof(stbtt_fontinfo), 0);
    auto* info = reinterpret_cast<stbtt_fontinfo*>(info_.data());
    if (data_.empty() || !stbtt_InitFont(info, data_.data(), 0))
    {
        data_.clear();
        return false;
    }
    return true;
}

float TtfFont::Scale(float pixelHeight) const
{
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(Info(info_), &ascent, &descent, &gap);
    return pixelHeight / static_cast<float>(ascent - descent);
}

float TtfFont::Width(const std::string& text, float pixelHeight) const
{
    if (!Loaded()) return 0.0f;
    const float scale = Scale(pixelHeight);
    float pen = 0.0f;
    for (size_t i = 0; i < text.size(); ++i)
    {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(Info(info_), static_cast<unsigned char>(text[i]), &advance,
                                   &bearing);
        pen += advance * scale;
        if (i + 1 < text.size())
            pen += scale * stbtt_GetCodepointKernAdvance(Info(info_),
                                                         static_cast<unsigned char>(text[i]),
                                                         static_cast<unsigned char>(text[i + 1]));
    }
    return pen;
}

float TtfFont::Aspect(const std::string& text) const
{
    return Width(text, 100.0f) / 100.0f;
}

void TtfFont::Draw(Image& img, const std::string& text, float x, float y, float pixelHeight,
                   Rgba c) const
{
    if (!Loaded()) return;
    const stbtt_fontinfo* info = Info(info_);
    const float scale = Scale(pixelHeight);
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(info, &ascent, &descent, &gap);
    const float baseline = y + ascent * scale;
    float pen = x;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int cp = static_cast<unsigned char>(text[i]);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(info, cp, &advance, &bearing);
        int w = 0, h = 0, ox = 0, oy = 0;
        unsigned char* bitmap = stbtt_GetCodepointBitmapSubpixel(
            info, scale, scale, pen - std::floor(pen), 0.0f, cp, &w, &h, &ox, &oy);
        const int bx = static_cast<int>(std::floor(pen)) + ox;
        const int by = static_cast<int>(std::lround(baseline)) + oy;
        for (int j = 0; j < h; ++j)
            for (int k = 0; k < w; ++k)
            {
                const unsigned char cover = bitmap[j * w + k];
                if (cover) img.Blend(bx + k, by + j, c, cover / 255.0f);
            }
        stbtt_FreeBitmap(bitmap, nullptr);
        pen += advance * scale;
        if (i + 1 < text.size())
            pen += scale *
                   stbtt_GetCodepointKernAdvance(info, cp, static_cast<unsigned char>(text[i + 1]));
    }
}

void TtfFont::DrawCentred(Image& img, const std::string& text, float cx, float y, float pixelHeight,
                          Rgba c) const
{
    Draw(img, text, cx - Width(text, pixelHeight) / 2.0f, y, pixelHeight, c);
}
