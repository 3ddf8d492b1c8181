// The texture table: one index per distinct path text, a fixed 500 entries, and missing or
// broken images that still take their index. No GPU.
#include <gtest/gtest.h>

#include <filesystem>

#include <stb_image_write.h>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/TextureLoader.h"
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
    rm.Release(); // the table starts empty whatever ran before in this process
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

// Mipmap levels are averaged on the CPU: sizes follow GL's halving (odd sides round down, never
// below 1) and an odd last row or column folds into the block beside it.
TEST(GraphicsTextures, HalvingFollowsGlSizesAndAveragesEachBlock)
{
    struct Case
    {
        int w, h, outW, outH;
    };
    for (const Case& c : {Case{4, 4, 2, 2}, Case{5, 3, 2, 1}, Case{1, 7, 1, 3}, Case{1, 1, 1, 1}})
    {
        std::vector<unsigned char> src(static_cast<size_t>(c.w * c.h * 4));
        for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<unsigned char>(i * 7 % 256);
        std::vector<unsigned char> out;
        int ow = 0, oh = 0;
        HalveImage(src.data(), c.w, c.h, out, ow, oh);
        EXPECT_EQ(ow, c.outW) << c.w << "x" << c.h;
        EXPECT_EQ(oh, c.outH) << c.w << "x" << c.h;
        EXPECT_EQ(out.size(), static_cast<size_t>(ow * oh * 4));
    }
    // One 2x2 block: red 0/255 mixed gives the rounded mean; alpha is averaged like colour.
    const unsigned char block[16] = {0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    std::vector<unsigned char> out;
    int ow = 0, oh = 0;
    HalveImage(block, 2, 2, out, ow, oh);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], 191);
    EXPECT_EQ(out[3], 191);
}

// A chunk claiming more bytes than the file holds is refused before the decoder sees it: the
// decoder would first grow its buffer to the stated length (the fuzzer's 2 GB request).
TEST(GraphicsTextures, DamagedPngChunksAreRefusedBeforeDecoding)
{
    fs::path root = TestSupport::MakeTempDir("png-chunks");
    const unsigned char px[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 255};
    ASSERT_TRUE(stbi_write_png((root / "good.png").string().c_str(), 2, 2, 4, px, 8));
    const std::string good = TestSupport::ReadText(root / "good.png");
    const size_t idat = good.find("IDAT") - 4; // the chunk's length field
    auto withLength = [&](uint32_t n)
    {
        std::string s = good;
        for (int i = 0; i < 4; ++i) s[idat + i] = static_cast<char>((n >> (24 - 8 * i)) & 0xFF);
        return s;
    };
    struct Case
    {
        const char* what;
        std::string bytes;
        bool decodes;
    };
    const Case cases[] = {
        {"the written file", good, true},
        {"data chunk stated at 2 GB", withLength(0x80000000u), false},
        {"data chunk one byte longer than the file", withLength(static_cast<uint32_t>(good.size())),
         false},
        {"cut inside the data chunk", good.substr(0, idat + 10), false},
        {"the fuzzer's input",
         TestSupport::ReadText(fs::path(BELLRUN_SOURCE_DIR) /
                               "tests/fuzz/Image/png-chunk-length-past-end.png"),
         false},
    };
    for (const Case& k : cases)
    {
        std::vector<unsigned char> rgba;
        int w = 0, h = 0;
        testing::internal::CaptureStdout();
        EXPECT_EQ(DecodeImage(k.bytes, "Textures/t.png", rgba, w, h), k.decodes) << k.what;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(rgba.size(), k.decodes ? 16u : 0u) << k.what;
        EXPECT_EQ(out.find("Textures/t.png: a chunk runs past the end") != std::string::npos,
                  !k.decodes)
            << k.what << ": " << out;
    }
    fs::remove_all(root);
}

// What a decoded picture is like decides blending (opaque) and how far a quad is cut down
// (content): a texel of margin for filtering, and never a part that shows left out.
TEST(GraphicsTextures, ExaminingFindsOpacityAndTheShownPart)
{
    struct Case
    {
        const char* what;
        std::vector<int> solid; // x, y of texels with alpha 255 in an 8x4 picture
        std::vector<int> faint; // x, y of texels with alpha 1
        bool opaque;
        float content[4];
    };
    std::vector<int> all;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) all.insert(all.end(), {x, y});
    const Case cases[] = {
        {"every texel solid", all, {}, true, {0.0f, 0.0f, 1.0f, 1.0f}},
        {"one solid texel in the middle", {3, 1}, {}, false, {0.25f, 0.0f, 0.625f, 0.75f}},
        {"a faint texel counts as shown", {0, 0}, {7, 3}, false, {0.0f, 0.0f, 1.0f, 1.0f}},
        {"nothing shows", {}, {}, false, {0.5f, 0.5f, 0.5f, 0.5f}},
        {"a corner", {7, 3}, {}, false, {0.75f, 0.5f, 1.0f, 1.0f}},
    };
    for (const Case& c : cases)
    {
        std::vector<unsigned char> px(8 * 4 * 4, 0);
        for (size_t i = 0; i + 1 < c.solid.size(); i += 2)
            px[(static_cast<size_t>(c.solid[i + 1]) * 8 + c.solid[i]) * 4 + 3] = 255;
        for (size_t i = 0; i + 1 < c.faint.size(); i += 2)
            px[(static_cast<size_t>(c.faint[i + 1]) * 8 + c.faint[i]) * 4 + 3] = 1;
        TextureFacts facts = ExamineTexture(px.data(), 8, 4);
        EXPECT_EQ(facts.opaque, c.opaque) << c.what;
        for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(facts.content[k], c.content[k]) << c.what;
    }
    // Rows with a transparent gap inside are not opaque, yet keep their whole width shown.
    std::vector<unsigned char> gap(8 * 4 * 4, 255);
    gap[(1 * 8 + 4) * 4 + 3] = 0;
    TextureFacts facts = ExamineTexture(gap.data(), 8, 4);
    EXPECT_FALSE(facts.opaque);
    EXPECT_FLOAT_EQ(facts.content[0], 0.0f);
    EXPECT_FLOAT_EQ(facts.content[2], 1.0f);
    EXPECT_FALSE(ExamineTexture(nullptr, 8, 4).opaque) << "no pixels: nothing known";
}
