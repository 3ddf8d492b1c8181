// LightPass: the night lighting, laid over the world layers once they are all drawn.
//
// The light only depends on where a pixel lies relative to the player, and every world sprite
// sits in the same plane, so lighting each sprite as it is drawn and multiplying the finished
// world by the light once give the same picture. Once is far cheaper on software GL: sprites
// keep a shader simple enough for its span paths, and the light itself is a picture ("light
// map") drawn by the data's light program whenever its inputs change, then stretched over the
// view in a few textured rectangles that leave out the disc it keeps at full light.
#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include "engine/graphics/ShaderProgram.h"

class LightPass
{
  public:
    // Multiplies the bound target by the light around the player (and adds god mode's glow).
    // mapProgram draws the maps, drawProgram stretches them (the sprites' own program). A
    // missing program leaves the world unlit.
    void Apply(ShaderProgram* mapProgram, ShaderProgram* drawProgram, const LightState& light,
               const glm::mat4& view, const glm::mat4& projection);
    void Release();

    // A rectangle of the sprites' plane.
    struct Rect
    {
        glm::vec2 low{0.0f};
        glm::vec2 high{0.0f};
    };
    static constexpr int kMaxRects = 18; // two bands beyond the disc, two pieces of eight across it
    // The parts of the view the light map changes: the view less (most of) the disc around the
    // player that the map leaves at full light. Fills out (kMaxRects) and gives the count.
    static int AroundFullLight(const Rect& view, const glm::vec2& player, float radius, Rect* out);

  private:
    struct Map
    {
        unsigned texture = 0;
        float ambient = -1.0f;
        int spotLight = -1;
    };
    void Ready();
    void DrawMap(ShaderProgram& program, Map& map, int size, float ambient, int spotLight,
                 int glow);
    // Draws the rectangles with the map laid over them, centred there, one radius to its edge.
    void Stretch(const Map& map, const Rect* rects, int count, const glm::vec2& centre,
                 float radius);

    bool ready_ = false;
    unsigned framebuffer_ = 0;
    unsigned array_ = 0;
    unsigned buffer_ = 0;
    Map light_;
    Map glow_;
};
