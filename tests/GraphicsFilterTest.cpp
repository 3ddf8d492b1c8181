// The texture entries' "Filter" and the size of the world's off-screen target, without a GPU.
#include <gtest/gtest.h>

#include <memory>

#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/graphics/Sprite.h"
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

TEST(GraphicsFilter, TheWorldTargetIsAWholeFractionThatNeverCoarsensTheArt)
{
    EXPECT_EQ(WorldTarget::ScaleFor(1080), 2);
    EXPECT_EQ(WorldTarget::ScaleFor(1079), 1);
    EXPECT_EQ(WorldTarget::ScaleFor(720), 1);
    EXPECT_EQ(WorldTarget::ScaleFor(1440), 2);
    EXPECT_EQ(WorldTarget::ScaleFor(2160), 4);
    EXPECT_EQ(WorldTarget::ScaleFor(0), 1);
}
