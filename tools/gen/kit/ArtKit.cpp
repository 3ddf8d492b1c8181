#include "kit/ArtKit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

bool SaveArt(const Image& img, const std::string& texDir, const std::string& name)
{
    return img.Upscaled(kArtUpscale).SavePng(texDir + "/" + name + ".png");
}

bool WriteSheet(const std::string& texDir, const std::string& name,
                const std::vector<Image>& frames)
{
    const int fw = frames.front().Width(), fh = frames.front().Height();
    Image sheet(fw * static_cast<int>(frames.size()), fh);
    for (size_t i = 0; i < frames.size(); ++i) sheet.Paste(frames[i], static_cast<int>(i) * fw, 0);
    if (!SaveArt(sheet, texDir, name)) return false;
    std::FILE* f = std::fopen((texDir + "/" + name + ".txt").c_str(), "w");
    if (!f) return false;
    for (size_t i = 0; i < frames.size(); ++i)
        std::fprintf(f, "%s%zu = %d %d %d %d\n", name.c_str(), i,
                     static_cast<int>(i) * fw * kArtUpscale, 0, fw * kArtUpscale, fh * kArtUpscale);
    return std::fclose(f) == 0;
}

Image Transformed(const Image& src, Vec2 pivot, float angle, float scale)
{
    Image out(src.Width(), src.Height());
    const float c = std::cos(angle), s = std::sin(angle);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
        {
            // Inverse map each output pixel back into the source.
            const float dx = (x + 0.5f - pivot.x) / scale, dy = (y + 0.5f - pivot.y) / scale;
            const float sx = c * dx + s * dy + pivot.x, sy = -s * dx + c * dy + pivot.y;
            out.Set(x, y,
                    src.Get(static_cast<int>(std::floor(sx)), static_cast<int>(std::floor(sy))));
        }
    return out;
}

float SmoothStep(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
