// A sprite sheet's coordinate file.
#include "engine/graphics/SpriteSheet.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Coord)(const uint8_t* data, size_t size)
{
    std::vector<FrameRect> rects;
    ParseFrameRects(Fuzz::Text(data, size), "Textures/Fuzz.txt", rects, 4096);
    return 0;
}
