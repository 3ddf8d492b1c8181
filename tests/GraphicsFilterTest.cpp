// The texture entries' "Filter" and the size of the world's off-screen target, without a GPU.
#include <gtest/gtest.h>

#include <memory>

#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/SpriteSubmitter.h"
#include "engine/graphics/WorldTarget.h"
#include "tests/TestSupport.h"

namespace
{
void Load(Sprite& s, const std::string& entries, std::unique_ptr<rapidjson::Document>& doc)
{
    doc = std::make_unique<rapidjson::Document>();
    std::string text = R"({"Static": "true", "Textures": [)" + entries + "]}";
    ASSERT_TRUE(ParseJson(text, *doc, nullptr)) << text;
    s.Deserialize(JsonView(doc.get(), "Test.json", "Sprite"));
}
} // namespace

TEST(GraphicsFilter, EachSlotKeepsItsOwnFilterAndABadValueChangesNothing)
{
    Files::SetDataRoot(TestSupport::MakeTempDir("filter").string());
    Sprite s(nullptr);
    std::unique_ptr<rapidjson::Document> doc;
    Load(s,
         R"({"Animation": 0, "Filter": "Nearest"}, {"Animation": 1},
            {"Animation": 2, "Filter": "Sharp"}, {"Animation": 3, "Filter": 1})",
         doc);
    EXPECT_TRUE(s.NearestSlots[0]);
    EXPECT_FALSE(s.NearestSlots[1]) << "the designed filters are the default";
    EXPECT_FALSE(s.NearestSlots[2]);
    EXPECT_FALSE(s.NearestSlots[3]);
    EXPECT_TRUE(s.CurrentNearest());
    s.TextureSlot = 1;
    EXPECT_FALSE(s.CurrentNearest()) << "the filter follows the texture slot";
    s.TextureSlot = 99;
    EXPECT_TRUE(s.CurrentNearest()) << "an out-of-range slot reads slot 0, as the texture does";
    // A level's override turns it back.
    Load(s, R"({"Animation": 0, "Filter": "Linear"})", doc);
    EXPECT_FALSE(s.NearestSlots[0]);
}

TEST(GraphicsFilter, TheWorldTargetHasTheArtsDensityAndTheWindowsShape)
{
    struct Case
    {
        int windowW, windowH;
        bool target;
        int w, h;
    };
    const Case cases[] = {
        {1920, 1080, true, 960, 540}, {1280, 720, true, 960, 540},
        {2560, 1440, true, 960, 540}, {1366, 768, true, 960, 540},
        {800, 600, true, 720, 540},   {541, 541, true, 540, 540},
        {960, 540, false, 960, 540},  {640, 360, false, 640, 360},
        {0, 1080, false, 0, 1080},    {4000000, 541, true, 3992606, 540},
    };
    for (const Case& c : cases)
    {
        int w = -1, h = -1;
        EXPECT_EQ(WorldTarget::TargetSize(c.windowW, c.windowH, w, h), c.target)
            << c.windowW << "x" << c.windowH;
        EXPECT_EQ(w, c.w) << c.windowW << "x" << c.windowH;
        EXPECT_EQ(h, c.h) << c.windowW << "x" << c.windowH;
    }
}

// Only a quad that puts one texel on each pixel, texel centres on pixel centres, is sampled
// nearest without being asked: there nearest and filtered sampling give the same picture.
TEST(GraphicsFilter, OnlyATexelForEachPixelIsSampledNearestUnasked)
{
    struct Case
    {
        const char* what;
        float left, right, bottom, top; // clip x and y of the quad's edges
        float u0, u1;                   // texture across it (u1 < u0: mirrored)
        int texW, texH;
        bool exact;
    };
    const Case cases[] = {
        {"a 1920x1080 picture over a 1080p window", -1, 1, -1, 1, 0, 1, 1920, 1080, true},
        {"mirrored", -1, 1, -1, 1, 1, 0, 1920, 1080, true},
        {"a 1280x720 picture magnified", -1, 1, -1, 1, 0, 1, 1280, 720, false},
        {"half a pixel off", -1 + 1.0f / 1920, 1 + 1.0f / 1920, -1, 1, 0, 1, 1920, 1080, false},
        {"a 96x54 quad on whole pixels", -0.1f, 0.0f, -0.1f, 0.0f, 0, 1, 96, 54, true},
        {"the texture's right half, trimmed", 0, 1, -1, 1, 0.5f, 1, 1920, 1080, true},
        {"size not yet known", -1, 1, -1, 1, 0, 1, 0, 0, false},
    };
    const int view[2] = {1920, 1080};
    for (const Case& c : cases)
    {
        // Bottom-right, bottom-left, top-left, bottom-right, top-right, top-left.
        const float x[6] = {c.right, c.left, c.left, c.right, c.right, c.left};
        const float y[6] = {c.bottom, c.bottom, c.top, c.bottom, c.top, c.top};
        const float u[6] = {c.u1, c.u0, c.u0, c.u1, c.u1, c.u0};
        const float v[6] = {0, 0, 1, 0, 1, 1};
        glm::vec4 clip[6];
        float vertices[6 * SpriteSubmitter::kVertexFloats] = {};
        for (int i = 0; i < 6; ++i)
        {
            clip[i] = glm::vec4(x[i], y[i], 0.0f, 1.0f);
            vertices[i * SpriteSubmitter::kVertexFloats + 7] = u[i];
            vertices[i * SpriteSubmitter::kVertexFloats + 8] = v[i];
        }
        const int texels[2] = {c.texW, c.texH};
        EXPECT_EQ(TexelPerPixel(clip, vertices, texels, view), c.exact) << c.what;
    }
}
