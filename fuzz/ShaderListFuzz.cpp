// The shader list: its pairs, and each shader it names read as a build would.
#include "engine/graphics/ShaderList.h"
#include "engine/graphics/ShaderProgram.h"
#include "fuzz/FuzzSupport.h"

FUZZ_TARGET(ShaderList)(const uint8_t* data, size_t size)
{
    Fuzz::Begin();
    auto pairs = ReadShaderList(Fuzz::Text(data, size), "Shaders/ShaderList.txt");
    for (size_t i = 0; i < pairs.size() && i < 64; ++i)
    {
        ShaderRecord vertex, fragment;
        vertex.FileName = pairs[i].first;
        fragment.FileName = pairs[i].second;
        fragment.Kind = 1;
        vertex.Compile();
        fragment.Compile();
    }
    return 0;
}
