// Paints a character out of shaded parts: later parts sit in front, every
// part gets a top-lit rim and a darker edge where a nearer part overlaps it,
// and the whole silhouette gets a dark outline.
#pragma once
#include "kit/Image.h"

#include <vector>

struct Material
{
    Rgba dark, shadow, base, light;
};

struct Vec2
{
    float x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator*(Vec2 a, float s)
{
    return {a.x * s, a.y * s};
}

// Direction for an angle measured from straight down (y grows downwards),
// positive angles turning towards +x, the way the figure faces.
Vec2 DownDir(float angle);

class Figure
{
  public:
    Figure(int w, int h);

    // Starts a new part in front of everything drawn so far.
    void BeginPart(const Material& m);
    void Capsule(Vec2 a, float ra, Vec2 b, float rb);
    void Ellipse(Vec2 c, float rx, float ry);
    // Ellipse limited to pixels already covered by the part `insideOf` (0 = none).
    void EllipseInside(Vec2 c, float rx, float ry, int insideOf);
    int CurrentPart() const { return part_; }

    // Details painted after shading (eyes, soles, stripes).
    void Decal(int x, int y, Rgba c);

    Image Render(Rgba outline) const;

  private:
    void Plot(int x, int y);
    Rgba ShadedPixel(int x, int y) const;

    int w_, h_;
    int part_ = 0;
    std::vector<int> partOf_;
    std::vector<Material> materials_;
    struct DecalPx
    {
        int x, y;
        Rgba c;
    };
    std::vector<DecalPx> decals_;
    int clipPart_ = 0;
};
