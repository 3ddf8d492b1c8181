// The texture table: one index per distinct path text, a fixed 500 entries, and missing or
// broken images that still take their index. No GPU.
#include <gtest/gtest.h>

#include <filesystem>

#include <stb_image_write.h>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/ResourceManager.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

TEST(GraphicsTextures, OneIndexPerPathTextAndBrokenImagesStillTakeOne)
{
    fs::path root = TestSupport::MakeTempDir("textures");
    Files::SetDataRoot(root.string());
    fs::create_directories(root / "Textures");
    const unsigned char px[4] = {255, 0, 0, 255};
    stbi_write_png((root / "Textures/a.png").string().c_str(), 1, 1, 4, px, 4);
    TestSupport::WriteText(root, "Textures/broken.png", "not an image");
    ResourceManager& rm = ResourceManager::Get();

    int a = rm.GetTexture("Textures/a.png");
    EXPECT_EQ(rm.GetTexture("Textures/a.png"), a) << "cached by path";
    int other = rm.GetTexture("./Textures/a.png");
    EXPECT_NE(other, a) << "another path text is another texture";
    testing::internal::CaptureStdout();
    int missing = rm.GetTexture("Textures/missing.png");
    int broken = rm.GetTexture("Textures/broken.png");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Textures/missing.png"), std::string::npos);
    EXPECT_NE(out.find("Textures/broken.png"), std::string::npos);
    EXPECT_EQ(missing, other + 1);
    EXPECT_EQ(broken, missing + 1);
    EXPECT_EQ(rm.NextTexture, 4);
    fs::remove_all(root);
}

TEST(GraphicsTextures, TheFiveHundredAndFirstImageIsRefused)
{
    fs::path root = TestSupport::MakeTempDir("textures-full");
    Files::SetDataRoot(root.string());
    ResourceManager& rm = ResourceManager::Get();
    testing::internal::CaptureStdout();
    for (int i = 0; i < ResourceManager::kMaxTextures; ++i)
        ASSERT_EQ(rm.GetTexture("Textures/t" + std::to_string(i) + ".png"), i);
    int warnings = LogWarningCount();
    int refused = rm.GetTexture("Textures/one-too-many.png");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(rm.NextTexture, ResourceManager::kMaxTextures);
    EXPECT_EQ(LogWarningCount(), warnings + 1);
    EXPECT_NE(out.find("Textures/one-too-many.png"), std::string::npos);
    EXPECT_EQ(rm.GetTexture("Textures/t7.png"), 7) << "earlier images keep their index";
    rm.Release();
    fs::remove_all(root);
}
