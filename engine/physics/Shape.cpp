#include "engine/physics/Shape.h"

#include <cmath>

#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"

namespace
{
float Dot(const glm::vec2& a, const glm::vec2& b)
{
    return a.x * b.x + a.y * b.y;
}

// The vertex furthest along d; ties keep the earlier vertex.
const glm::vec2& Support(const std::vector<glm::vec2>& poly, const glm::vec2& d)
{
    float best = -3.4028235e38f;
    size_t index = 0;
    for (size_t i = 0; i < poly.size(); ++i)
    {
        float p = Dot(poly[i], d);
        if (p > best)
        {
            best = p;
            index = i;
        }
    }
    return poly[index];
}

glm::vec2 MinkowskiSupport(const std::vector<glm::vec2>& a, const std::vector<glm::vec2>& b,
                           const glm::vec2& d)
{
    return Support(a, d) - Support(b, -d);
}

struct Simplex
{
    glm::vec2 p[3]; // oldest first
    int n = 0;
};

// Moves the simplex towards the origin; true when the triangle holds it (within margin).
bool SimplexStep(Simplex& s, glm::vec2& d, float margin)
{
    const glm::vec2 a = s.p[s.n - 1];
    const glm::vec2 ao = -a;
    if (s.n == 2)
    {
        const glm::vec2 ab = s.p[0] - a;
        d = ao * Dot(ab, ab) - ab * Dot(ab, ao);
        return false;
    }
    const glm::vec2 b = s.p[0], c = s.p[1];
    const glm::vec2 ab = b - a, ac = c - a;
    const glm::vec2 abPerp = ab * Dot(ab, ac) - ac * Dot(ab, ab);
    const glm::vec2 acPerp = ac * Dot(ac, ab) - ab * Dot(ac, ac);
    if (Dot(abPerp, ao) > margin)
    {
        s.p[0] = b; // drop c
        s.p[1] = a;
        s.n = 2;
        d = abPerp;
        return false;
    }
    if (Dot(acPerp, ao) > margin)
    {
        s.p[0] = c; // drop b
        s.p[1] = a;
        s.n = 2;
        d = acPerp;
        return false;
    }
    return true;
}
} // namespace

void BuildWorldShape(const Body& body, const Transform& t, WorldShape& out)
{
    out.x = t.position.x;
    out.y = t.position.y;
    out.circle = t.scale.x * body.radius;
    out.margin = body.radius;
    out.points.resize(body.vertices.size());
    if (body.vertices.empty()) return;
    const float c = std::cos(t.rotation), s = std::sin(t.rotation);
    for (size_t i = 0; i < body.vertices.size(); ++i)
    {
        const float lx = t.scale.x * body.vertices[i].x, ly = t.scale.y * body.vertices[i].y;
        out.points[i] = glm::vec2(t.position.x + c * lx - s * ly, t.position.y + s * lx + c * ly);
    }
    out.minX = out.maxX = out.points[0].x;
    out.minY = out.maxY = out.points[0].y;
    for (const glm::vec2& p : out.points)
    {
        if (p.x < out.minX) out.minX = p.x;
        if (p.x > out.maxX) out.maxX = p.x;
        if (p.y < out.minY) out.minY = p.y;
        if (p.y > out.maxY) out.maxY = p.y;
    }
}

bool GjkTouch(const std::vector<glm::vec2>& a, const std::vector<glm::vec2>& b, float margin)
{
    if (a.empty() || b.empty()) return false;
    Simplex s;
    s.p[0] = MinkowskiSupport(a, b, glm::vec2(1.0f, 0.0f));
    s.n = 1;
    glm::vec2 d(-1.0f, 0.0f);
    for (int round = 0; round < kGjkMaxRounds; ++round)
    {
        const glm::vec2 p = MinkowskiSupport(a, b, d);
        s.p[s.n++] = p;
        // Not past the origin: no touch. Written so a NaN direction also ends in no touch.
        if (!(Dot(p, d) > 0.0f)) return false;
        if (SimplexStep(s, d, margin)) return true;
    }
    return false;
}

bool ShapesTouch(const WorldShape& a, const WorldShape& b)
{
    const float dx = a.x - b.x, dy = a.y - b.y;
    const float d2 = dx * dx + dy * dy;
    const float r = a.circle + b.circle;
    if (r * r >= d2) return true;
    if (a.points.empty() || b.points.empty()) return false;
    if (a.minX > b.maxX || b.minX > a.maxX) return false;
    if (a.minY > b.maxY || b.minY > a.maxY) return false;
    return GjkTouch(a.points, b.points, a.margin + b.margin);
}
