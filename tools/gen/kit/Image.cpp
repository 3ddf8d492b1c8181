#include "kit/Image.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

Rgba Mix(Rgba a, Rgba b, float t)
{
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return Col(m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a));
}

Rgba Shade(Rgba c, float factor)
{
    auto s = [factor](int v) { return static_cast<int>(std::lround(v * factor)); };
    return Col(s(c.r), s(c.g), s(c.b), c.a);
}

Image::Image(int w, int h, Rgba fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

Rgba Image::Get(int x, int y) const
{
    return Inside(x, y) ? px_[static_cast<size_t>(y) * w_ + x] : Rgba{};
}

void Image::Set(int x, int y, Rgba c)
{
    if (Inside(x, y)) px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Image::Blend(int x, int y, Rgba c)
{
    Blend(x, y, c, 1.0f);
}

void Image::Blend(int x, int y, Rgba c, float alpha)
{
    if (!Inside(x, y)) return;
    const float sa = std::clamp(c.a / 255.0f * alpha, 0.0f, 1.0f);
    if (sa <= 0.0f) return;
    Rgba& d = px_[static_cast<size_t>(y) * w_ + x];
    const float da = d.a / 255.0f;
    const float oa = sa + da * (1.0f - sa);
    auto ch = [&](int s, int dv)
    { return static_cast<int>(std::lround((s * sa + dv * da * (1.0f - sa)) / oa)); };
    d = Col(ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), static_cast<int>(std::lround(oa * 255.0f)));
}

void Image::FillRect(int x, int y, int w, int h, Rgba c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Image::BlendRect(int x, int y, int w, int h, Rgba c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Blend(i, j, c);
}

void Image::Line(int x0, int y0, int x1, int y1, Rgba c)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;)
    {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy)
        {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx)
        {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::FillCircle(float cx, float cy, float r, Rgba c)
{
    const int x0 = static_cast<int>(std::floor(cx - r)), x1 = static_cast<int>(std::ceil(cx + r));
    const int y0 = static_cast<int>(std::floor(cy - r)), y1 = static_cast<int>(std::ceil(cy + r));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            if (dx * dx + dy * dy <= r * r) Set(x, y, c);
        }
}

void Image::Glow(float cx, float cy, float radius, Rgba c, float strength)
{
    const int x0 = static_cast<int>(std::floor(cx - radius)),
              x1 = static_cast<int>(std::ceil(cx + radius));
    const int y0 = static_cast<int>(std::floor(cy - radius)),
              y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float d = std::sqrt(dx * dx + dy * dy) / radius;
            if (d >= 1.0f) continue;
            const float f = (1.0f - d) * (1.0f - d);
            Blend(x, y, c, f * strength);
        }
}

void Image::Paste(const Image& src, int x, int y)
{
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i) Blend(x + i, y + j, src.Get(i, j));
}

void Image::Outline(Rgba c)
{
    Image copy = *this;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
        {
            if (copy.Get(x, y).a > 0) continue;
            const bool edge = copy.Get(x - 1, y).a > 128 || copy.Get(x + 1, y).a > 128 ||
                              copy.Get(x, y - 1).a > 128 || copy.Get(x, y + 1).a > 128;
            if (edge) Set(x, y, c);
        }
}

Image Image::Upscaled(int factor) const
{
    Image out(w_ * factor, h_ * factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) out.Set(x, y, Get(x / factor, y / factor));
    return out;
}

Image Image::Downscaled(int factor) const
{
    Image out(w_ / factor, h_ / factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x)
        {
            // Colours weighted by their coverage, so a clear pixel adds no dark fringe.
            long r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                {
                    Rgba c = Get(x * factor + i, y * factor + j);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            const long n = static_cast<long>(factor) * factor;
            out.Set(x, y,
                    a == 0 ? Rgba{}
                           : Col(static_cast<int>(r / a), static_cast<int>(g / a),
                                 static_cast<int>(b / a), static_cast<int>((a + n / 2) / n)));
        }
    return out;
}

Image Image::Crop(int x, int y, int w, int h) const
{
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.Set(i, j, Get(x + i, y + j));
    return out;
}

bool Image::SavePng(const std::string& path) const
{
    return stbi_write_png(path.c_str(), w_, h_, 4, px_.data(), w_ * 4) != 0;
}

bool Image::SaveBmp(const std::string& path) const
{
    return stbi_write_bmp(path.c_str(), w_, h_, 4, px_.data()) != 0;
}
