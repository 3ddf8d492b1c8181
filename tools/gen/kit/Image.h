// RGBA canvas with the few drawing operations the art generator needs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgba
{
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

inline Rgba Col(int r, int g, int b, int a = 255)
{
    auto c = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return Rgba{c(r), c(g), c(b), c(a)};
}

Rgba Mix(Rgba a, Rgba b, float t);
Rgba Shade(Rgba c, float factor);

class Image
{
  public:
    Image() = default;
    Image(int w, int h, Rgba fill = Rgba{});

    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba c);
    // Source-over blend; out-of-range writes are dropped.
    void Blend(int x, int y, Rgba c);
    void Blend(int x, int y, Rgba c, float alpha);

    void FillRect(int x, int y, int w, int h, Rgba c);
    void BlendRect(int x, int y, int w, int h, Rgba c);
    void Line(int x0, int y0, int x1, int y1, Rgba c);
    void FillCircle(float cx, float cy, float r, Rgba c);
    // Soft radial glow: alpha falls off smoothly to zero at radius.
    void Glow(float cx, float cy, float radius, Rgba c, float strength);

    // Draws src with its top-left at (x, y), blending.
    void Paste(const Image& src, int x, int y);
    // Dark rim around every opaque region (4-neighbour), the pixel-art outline.
    void Outline(Rgba c);
    Image Upscaled(int factor) const;
    // Each factor x factor block averaged into one pixel.
    Image Downscaled(int factor) const;
    Image Crop(int x, int y, int w, int h) const;

    bool SavePng(const std::string& path) const;
    bool SaveBmp(const std::string& path) const;

  private:
    int w_ = 0;
    int h_ = 0;
    std::vector<Rgba> px_;
};
