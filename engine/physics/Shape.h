// Shape: a body's collision shape placed in the world, and the touch test between two of them.
//
// The test runs cheapest first: circles, then the bounding boxes of the polygons, then GJK. A
// shape is built once per pass and reused for every pair it is in.
#pragma once

#include <vector>

#include <glm/vec2.hpp>

class Body;
class Transform;

struct WorldShape
{
    float x = 0.0f, y = 0.0f; // the owner's position
    float circle = 0.0f;      // radius scaled by the owner's x scale
    float margin = 0.0f;      // unscaled radius: GJK's allowance
    float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f; // polygon extremes
    std::vector<glm::vec2> points;                            // the polygon in world space
};

// GJK rounds before giving up; polygons of this game settle in a handful. Giving up = no touch.
constexpr int kGjkMaxRounds = 32;

// Places body's outline with its owner's transform: scale, then rotate, then move.
void BuildWorldShape(const Body& body, const Transform& t, WorldShape& out);

// Whether two placed shapes touch: circles, axis rejection, then GJK with the summed margins.
bool ShapesTouch(const WorldShape& a, const WorldShape& b);

// GJK on two convex polygons (vertex lists in outline order) with a margin on the unnormalised
// edge tests; margin 0 is the plain intersection test.
bool GjkTouch(const std::vector<glm::vec2>& a, const std::vector<glm::vec2>& b, float margin);
