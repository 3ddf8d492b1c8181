// An image file through the texture loader's decoder (stb_image), no GPU.
#include <vector>

#include "engine/graphics/TextureLoader.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(Image)(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> rgba;
    int width = 0, height = 0;
    DecodeImage(Fuzz::Text(data, size), "Textures/Fuzz.png", rgba, width, height);
    return 0;
}
