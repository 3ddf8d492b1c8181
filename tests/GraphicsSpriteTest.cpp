// Sprite loading and animation, without a GPU: frame timing, slot offsets, mirroring, and bad
// data that must be refused without reading or writing outside the sprite's tables.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/graphics/ScreenCover.h"
#include "engine/graphics/Sprite.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
const char* const kQuad =
    R"("Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3, "CoordsPerColor": 4,
    "Data": [0.5,-0.5,0, 1,1,1,1, 1,0,  -0.5,-0.5,0, 1,1,1,1, 0,0,  -0.5,0.5,0, 1,1,1,1, 0,1,
             0.5,-0.5,0, 1,1,1,1, 1,0,   0.5,0.5,0, 1,1,1,1, 1,1,  -0.5,0.5,0, 1,1,1,1, 0,1]})";

class GraphicsSprite : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        root_ = TestSupport::MakeTempDir("sprite");
        Files::SetDataRoot(root_.string());
        // Frame i of a strip sits at x = 16 i, so u tells the frame.
        std::string strip;
        for (int i = 0; i < 8; ++i)
            strip += "f" + std::to_string(i) + " = " + std::to_string(16 * i) + " 0 16 16\n";
        TestSupport::WriteText(root_, "Textures/strip.txt", strip);
        TestSupport::WriteText(root_, "Textures/two.txt", "a = 0 0 16 16\nb = 16 0 16 16\n");
        TestSupport::WriteText(root_, "Textures/bad.txt",
                               "a = 0 0 16 16\nnot a frame\nb = 1 2 3\n");
    }
    void TearDown() override { fs::remove_all(root_); }

    // Parses text as the "Sprite" section of an archetype and reads it into the sprite.
    void Load(Sprite& s, const std::string& text)
    {
        docs_.emplace_back(std::make_unique<rapidjson::Document>());
        ASSERT_TRUE(ParseJson(text, *docs_.back(), nullptr)) << text;
        s.Deserialize(JsonView(docs_.back().get(), "Test.json", "Sprite"));
    }
    std::string Animated(const std::string& entries)
    {
        return std::string(R"({"Static": "false", )") + kQuad + R"(, "Textures": [)" + entries +
               "]}";
    }
    // Frame shown by the sprite: u of vertex 1 (left, or right when mirrored) over 1/8.
    static int Frame(const Sprite& s)
    {
        return static_cast<int>(s.VertexData[9 + 7] * 8.0f + 0.5f);
    }

    fs::path root_;
    std::vector<std::unique_ptr<rapidjson::Document>> docs_;
};
} // namespace

TEST_F(GraphicsSprite, FourFramesOfOneHundredMillisecondsShowEightDrawsEach)
{
    Sprite s(nullptr);
    Load(s, Animated(R"({"Animation": 0, "Width": 128, "Height": 16, "Time": 100, "Frames": 4,
                         "CoordData": "Textures/strip.txt"})"));
    std::vector<int> shown;
    for (int draw = 0; draw < 40; ++draw)
    {
        s.Animate(s.AnimationIndex);
        shown.push_back(Frame(s));
    }
    for (int draw = 0; draw < 40; ++draw)
        EXPECT_EQ(shown[draw], (draw / 8) % 4) << "draw " << draw + 1;
}

TEST_F(GraphicsSprite, NoTimeAdvancesEveryDrawAndSlotsFindTheirOwnRectangles)
{
    Sprite s(nullptr);
    Load(s, Animated(R"({"Animation": 0, "Width": 128, "Height": 16, "Frames": 3,
                         "CoordData": "Textures/strip.txt"},
                        {"Animation": 1, "Width": 128, "Height": 16, "Frames": 2,
                         "CoordData": "Textures/two.txt"})"));
    ASSERT_EQ(s.FrameRects.size(), 10u);
    s.Animate(0);
    EXPECT_EQ(Frame(s), 0);
    s.Animate(0);
    EXPECT_EQ(Frame(s), 1);
    // Slot 1's first rectangle is the fourth of the shared list (x 48), not its own file's first.
    s.AnimationIndex = s.TextureSlot = 1;
    s.CurrentFrame = 0;
    s.Animate(1);
    EXPECT_EQ(Frame(s), 3);
    s.Animate(1);
    EXPECT_EQ(Frame(s), 4);
    s.Animate(1);
    EXPECT_EQ(Frame(s), 3) << "wraps after \"Frames\" frames";
}

TEST_F(GraphicsSprite, MirroringSwapsOnlyTheHorizontalCoordinates)
{
    Sprite plain(nullptr), mirrored(nullptr);
    std::string text = Animated(R"({"Animation": 0, "Width": 128, "Height": 32, "Frames": 1,
                                    "CoordData": "Textures/strip.txt"})");
    Load(plain, text);
    Load(mirrored, text);
    mirrored.Mirrored = true;
    plain.Animate(0);
    mirrored.Animate(0);
    for (int v = 0; v < 6; ++v)
    {
        const float* p = &plain.VertexData[v * 9];
        const float* m = &mirrored.VertexData[v * 9];
        for (int k = 0; k < 7; ++k) EXPECT_EQ(p[k], m[k]) << "position or colour of vertex " << v;
        EXPECT_EQ(p[8], m[8]) << "v of vertex " << v;
        EXPECT_FLOAT_EQ(p[7] + m[7], 0.125f) << "u swapped between 0 and 1/8 at vertex " << v;
    }
    // Frame (0, 0, 16, 16) on a 128 x 32 sheet: the top half, v from 0.5 to 1.
    EXPECT_FLOAT_EQ(plain.VertexData[0 * 9 + 8], 0.5f);
    EXPECT_FLOAT_EQ(plain.VertexData[2 * 9 + 8], 1.0f);
}

TEST_F(GraphicsSprite, StaticSpritesKeepTheirCoordinatesAndFramelessSlotsStayPut)
{
    Sprite still(nullptr);
    Load(still, std::string(R"({"Static": "true", )") + kQuad + R"(, "Textures": [{"Animation": 0,
        "Width": 128, "Height": 16, "Time": 50, "Frames": 4, "CoordData": "Textures/strip.txt"}]})");
    auto before = still.VertexData;
    still.Animate(0);
    EXPECT_EQ(still.VertexData, before);
    EXPECT_EQ(still.Timers[0], 50.0) << "the timer still counts";
    still.Animate(0);
    EXPECT_EQ(still.Timers[0], 34.0);

    Sprite empty(nullptr);
    Load(empty, Animated(R"({"Animation": 0, "Width": 128, "Height": 16, "Frames": 0})"));
    before = empty.VertexData;
    for (int i = 0; i < 5; ++i) empty.Animate(0);
    EXPECT_EQ(empty.VertexData, before);
}

TEST_F(GraphicsSprite, ActiveAndStaticAreTheStringsTrueAndFalse)
{
    Sprite hidden(nullptr), shown(nullptr), boolean(nullptr);
    Load(hidden, R"({"Static": "true", "Active": "false"})");
    Load(shown, R"({"Static": "yes", "Active": "no"})");
    int warnings = LogWarningCount();
    Load(boolean, R"({"Static": true, "Active": false})");
    EXPECT_FALSE(hidden.Active);
    EXPECT_TRUE(hidden.Static);
    EXPECT_TRUE(shown.Active);
    EXPECT_FALSE(shown.Static);
    EXPECT_TRUE(boolean.Active) << "a JSON boolean is not the text \"false\"";
    EXPECT_GE(LogWarningCount(), warnings + 2) << "both wrong types reported";
}

TEST_F(GraphicsSprite, BadMeshesAreRefusedWhole)
{
    std::string big = "0";
    for (int i = 1; i < 201; ++i) big += ",0";
    const std::string bad[] = {
        R"({"Static": "true", "Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3,
            "CoordsPerColor": 4, "Data": [)" +
            big + "]}}",
        R"({"Static": "true", "Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3,
            "CoordsPerColor": 4, "Data": [1, 2, 3]}})",
        R"({"Static": "true", "Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3,
            "Data": [1, 2, 3]}})",
        R"({"Static": "true", "Mesh": {"VertexNumber": 1, "CoordsPerVertex": 2, "CoordsPerPos": 3,
            "CoordsPerColor": 4, "Data": [1, 2]}})",
        R"({"Static": "true", "Mesh": {"VertexNumber": 1, "CoordsPerVertex": 9, "CoordsPerPos": 3,
            "CoordsPerColor": 4, "Data": [1, 2, 3, 4, 5, 6, 7, "x", 9]}})",
    };
    for (const std::string& text : bad)
    {
        Sprite s(nullptr);
        int warnings = LogWarningCount();
        Load(s, text);
        EXPECT_GT(LogWarningCount(), warnings) << text;
        EXPECT_EQ(s.VertexNumber, 0) << text;
        EXPECT_EQ(s.DrawableVertices(), 0) << text;
        s.Animate(0);
    }
}

TEST_F(GraphicsSprite, BadSlotsAndShortCoordinateFilesStayInsideTheTables)
{
    Sprite s(nullptr);
    int warnings = LogWarningCount();
    Load(s, Animated(R"({"Animation": 31, "Width": 16, "Height": 16, "Frames": 2},
                        {"Animation": -1, "Width": 16, "Height": 16, "Frames": 2},
                        {"Animation": 0, "Width": 128, "Height": 16, "Frames": 4,
                         "CoordData": "Textures/bad.txt"},
                        {"Animation": 1, "Width": 128, "Height": 16, "Frames": 3,
                         "CoordData": "Textures/missing.txt"})"));
    // Two bad slots, a malformed line, a line with three numbers, a file short of frames.
    EXPECT_GE(LogWarningCount(), warnings + 5);
    ASSERT_EQ(s.FrameRects.size(), 1u);
    // Stepping through every frame of both slots many times never leaves the rectangle list.
    for (int a = 0; a < 2; ++a)
    {
        s.AnimationIndex = s.TextureSlot = a;
        for (int i = 0; i < 50; ++i) s.Animate(a);
    }
    // Behaviours may write anything into the public fields.
    s.AnimationIndex = 40;
    s.TextureSlot = -3;
    s.Animate(40);
    EXPECT_EQ(s.CurrentTexture(), s.TextureSlots[0]);
    s.AnimationIndex = 0;
    s.CoordsPerVertex = 1000;
    s.Animate(0);
    EXPECT_EQ(s.DrawableVertices(), 0);
}

// Map tiles are copied from the first of their kind; a copy must draw and animate exactly like
// a sprite read from the same data, and never share the original's GPU buffer.
TEST_F(GraphicsSprite, ACopyAnimatesLikeItsOriginal)
{
    Sprite original(nullptr), copy(nullptr);
    Load(original, Animated(R"({"Animation": 0, "Width": 128, "Height": 16, "Time": 50,
                                "Frames": 3, "Filter": "Nearest", "CoordData": "Textures/strip.txt"},
                               {"Animation": 1, "Width": 128, "Height": 16, "Frames": 2,
                                "CoordData": "Textures/two.txt"})"));
    original.VertexBuffer = 7;
    original.Uploaded = true;
    copy.CopyFrom(&original);
    EXPECT_EQ(copy.VertexBuffer, 0u);
    EXPECT_FALSE(copy.Uploaded);
    EXPECT_EQ(copy.CurrentNearest(), original.CurrentNearest());
    for (int draw = 0; draw < 30; ++draw)
    {
        if (draw == 15)
            original.AnimationIndex = original.TextureSlot = copy.AnimationIndex =
                copy.TextureSlot = 1;
        original.Animate(original.AnimationIndex);
        copy.Animate(copy.AnimationIndex);
        ASSERT_EQ(copy.VertexData, original.VertexData) << "draw " << draw;
    }
    Sprite untouched(nullptr);
    untouched.CopyFrom(nullptr);
    untouched.CopyFrom(&untouched);
    EXPECT_EQ(untouched.FrameRects.size(), 0u);
}

// Which screen-layer meshes hide everything drawn before them: only two triangles that fill a
// rectangle over the whole [-1, 1] square.
TEST(ScreenCover, OnlyTwoTrianglesFillingTheScreenCoverIt)
{
    // Corners of the unit quad: a bottom-left, b bottom-right, c top-right, d top-left.
    using V = std::array<float, 2>;
    const V a{-0.5f, -0.5f}, b{0.5f, -0.5f}, c{0.5f, 0.5f}, d{-0.5f, 0.5f}, m{0.0f, 0.0f};
    struct Case
    {
        const char* what;
        std::array<V, 6> corners;
        float scale, angle, dx;
        bool covers;
    };
    const Case cases[] = {
        {"the shipped quad at scale 2", {b, a, d, b, c, d}, 2.0f, 0.0f, 0.0f, true},
        {"other diagonal, larger than the screen", {a, b, c, a, c, d}, 2.5f, 0.0f, 0.0f, true},
        {"smaller than the screen", {b, a, d, b, c, d}, 1.9f, 0.0f, 0.0f, false},
        {"shifted off one edge", {b, a, d, b, c, d}, 2.0f, 0.0f, 0.1f, false},
        {"the same half twice", {b, a, d, b, a, d}, 2.0f, 0.0f, 0.0f, false},
        {"a vertex inside the box", {b, a, d, b, c, m}, 2.0f, 0.0f, 0.0f, false},
        {"rotated a quarter of a turn", {b, a, d, b, c, d}, 4.0f, 0.7854f, 0.0f, false},
    };
    for (const Case& k : cases)
    {
        Sprite s(nullptr);
        s.VertexNumber = 6;
        s.CoordsPerVertex = 9;
        s.CoordsPerPos = 3;
        for (int v = 0; v < 6; ++v)
        {
            s.VertexData[static_cast<size_t>(v * 9)] = k.corners[static_cast<size_t>(v)][0];
            s.VertexData[static_cast<size_t>(v * 9 + 1)] = k.corners[static_cast<size_t>(v)][1];
        }
        glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(k.dx, 0.0f, 0.0f)) *
                          glm::rotate(glm::mat4(1.0f), k.angle, glm::vec3(0, 0, 1)) *
                          glm::scale(glm::mat4(1.0f), glm::vec3(k.scale, k.scale, 1.0f));
        EXPECT_EQ(MeshCoversScreen(s, model), k.covers) << k.what;
    }
    Sprite four(nullptr);
    four.VertexNumber = 4;
    four.CoordsPerVertex = 9;
    four.CoordsPerPos = 3;
    EXPECT_FALSE(MeshCoversScreen(four, glm::mat4(1.0f))) << "not two triangles";
}
