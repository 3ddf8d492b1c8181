#include "kit/Figure.h"

#include <algorithm>
#include <cmath>

Vec2 DownDir(float angle)
{
    return {std::sin(angle), std::cos(angle)};
}

Figure::Figure(int w, int h) : w_(w), h_(h), partOf_(static_cast<size_t>(w) * h, 0)
{
    materials_.push_back(Material{}); // part 0 is empty space
}

void Figure::BeginPart(const Material& m)
{
    materials_.push_back(m);
    part_ = static_cast<int>(materials_.size()) - 1;
}

void Figure::Plot(int x, int y)
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    int& cell = partOf_[static_cast<size_t>(y) * w_ + x];
    if (clipPart_ != 0 && cell != clipPart_) return;
    cell = part_;
}

void Figure::Capsule(Vec2 a, float ra, Vec2 b, float rb)
{
    const float pad = std::max(ra, rb) + 1.0f;
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - pad));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + pad));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - pad));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + pad));
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const float px = x + 0.5f - a.x, py = y + 0.5f - a.y;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float ex = px - t * dx, ey = py - t * dy;
            const float r = ra + (rb - ra) * t;
            if (ex * ex + ey * ey <= r * r) Plot(x, y);
        }
}

void Figure::Ellipse(Vec2 c, float rx, float ry)
{
    EllipseInside(c, rx, ry, 0);
}

void Figure::EllipseInside(Vec2 c, float rx, float ry, int insideOf)
{
    clipPart_ = insideOf;
    for (int y = static_cast<int>(c.y - ry - 1); y <= static_cast<int>(c.y + ry + 1); ++y)
        for (int x = static_cast<int>(c.x - rx - 1); x <= static_cast<int>(c.x + rx + 1); ++x)
        {
            const float nx = (x + 0.5f - c.x) / rx, ny = (y + 0.5f - c.y) / ry;
            if (nx * nx + ny * ny <= 1.0f) Plot(x, y);
        }
    clipPart_ = 0;
}

void Figure::Decal(int x, int y, Rgba c)
{
    decals_.push_back({x, y, c});
}

Rgba Figure::ShadedPixel(int x, int y) const
{
    auto at = [this](int i, int j)
    {
        if (i < 0 || j < 0 || i >= w_ || j >= h_) return 0;
        return partOf_[static_cast<size_t>(j) * w_ + i];
    };
    const int p = at(x, y);
    const Material& m = materials_[static_cast<size_t>(p)];
    // A nearer part right next to this one casts a thin dark line.
    if (at(x + 1, y) > p || at(x - 1, y) > p || at(x, y + 1) > p || at(x, y - 1) > p) return m.dark;
    if (at(x, y - 1) != p) return m.light;
    if (at(x, y + 1) != p || at(x + 1, y) != p) return m.shadow;
    if (at(x - 1, y) != p) return m.light;
    // Soft second band of shadow along the lower right.
    if (at(x + 2, y) != p || at(x, y + 2) != p) return Mix(m.base, m.shadow, 0.5f);
    return m.base;
}

Image Figure::Render(Rgba outline) const
{
    Image img(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (partOf_[static_cast<size_t>(y) * w_ + x] != 0) img.Set(x, y, ShadedPixel(x, y));
    for (const DecalPx& d : decals_)
        if (img.Get(d.x, d.y).a > 0) img.Set(d.x, d.y, d.c);
    img.Outline(outline);
    return img;
}
