// Every shader named in the shipped shader list compiles under the reference GLSL compiler and
// declares the inputs the render pass feeds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> ListedShaders()
{
    std::istringstream list(
        TestSupport::ReadText(TestSupport::ShippedData() / "Shaders/ShaderList.txt"));
    std::vector<std::string> paths;
    std::string line;
    while (std::getline(list, line))
    {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) paths.push_back(line);
    }
    return paths;
}
} // namespace

TEST(ShaderList, EveryShaderPassesTheReferenceCompiler)
{
    if (!TestSupport::HaveTool("glslangValidator"))
        GTEST_SKIP() << "glslangValidator is not installed (apt-get install glslang-tools)";
    std::vector<std::string> paths = ListedShaders();
    ASSERT_FALSE(paths.empty());
    ASSERT_EQ(paths.size() % 2, 0u) << "the list pairs a vertex with a fragment shader";
    EXPECT_EQ(paths[0], "Shaders/DefaultShader.vert") << "the default program comes first";
    for (const std::string& p : paths)
    {
        fs::path file = TestSupport::ShippedData() / p;
        ASSERT_TRUE(fs::exists(file)) << p;
        std::string cmd = "glslangValidator \"" + file.string() + "\" > /dev/null 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << p << " does not compile: run " << cmd;
    }
}

TEST(ShaderList, ProgramsDeclareEveryInputOfTheRenderPass)
{
    // The light program draws the light map; every other program draws sprites and texts.
    const std::vector<const char*> spriteInputs = {"position", "vertColor",   "texCoord",
                                                   "Model",    "View",        "Projection",
                                                   "Texture",  "transparency"};
    const std::vector<const char*> lightInputs = {"position", "ambient", "spotLight", "godMode"};
    std::vector<std::string> paths = ListedShaders();
    bool lightListed = false;
    for (size_t i = 0; i + 1 < paths.size(); i += 2)
    {
        std::string both = TestSupport::ReadText(TestSupport::ShippedData() / paths[i]) +
                           TestSupport::ReadText(TestSupport::ShippedData() / paths[i + 1]);
        EXPECT_NE(both.find("#version 330 core"), std::string::npos) << paths[i];
        const bool light = paths[i] == "Shaders/Light.vert";
        lightListed = lightListed || light;
        for (const char* name : light ? lightInputs : spriteInputs)
            EXPECT_NE(both.find(std::string(" ") + name + ";"), std::string::npos)
                << paths[i] << " lacks " << name;
    }
    EXPECT_TRUE(lightListed) << "no light program: the world would be drawn unlit";
}
