// Picture tests that need the engine in this process: fields only behaviours set (Mirrored,
// Transparency), queued texts, and the batched pass against one draw per sprite. The parent
// test re-runs this executable under a virtual X server for the child half.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "tests/PictureScene.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;
using namespace PictureScene;

namespace
{
constexpr float kWorldTextX = 0.0f, kWorldTextY = -3.0f;
constexpr float kScreenTextX = -0.5f, kScreenTextY = 0.75f;

// Queues one text every frame, as a dialog box or a guard would.
class TextEveryFrame : public Component
{
  public:
    TextEveryFrame(GameObject* owner, const TextRequest& r) : Component(owner, 99), request(r) {}
    void Update() override { TextRenderer::Get().QueueText(request); }
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    TextRequest request;
};

GameObject* FindByName(const std::string& name)
{
    for (auto& layer : GameObjectManager::Get().layers)
        for (GameObject& obj : layer)
            if (obj.active && obj.name == name) return &obj;
    return nullptr;
}

TextRequest Text(const char* text, float x, float y, float sx, float sy, bool screen, int r, int g,
                 int b)
{
    TextRequest t;
    t.fontName = "Fonts/Serif_Bold.ttf";
    t.text = text;
    t.position = glm::vec3(x, y, 0.0f);
    t.scale = glm::vec3(sx, sy, 1.0f);
    t.screenSpace = screen;
    t.r = static_cast<uint8_t>(r);
    t.g = static_cast<uint8_t>(g);
    t.b = static_cast<uint8_t>(b);
    return t;
}

// mode: "batched" or "direct" (behaviour fields and texts), or "lit" (a player and its light).
std::string RunChild(const fs::path& root, const std::string& mode, const fs::path& shot)
{
    fs::path log = shot.string() + ".log";
    std::string cmd = "BELLRUN_PICTURE_ROOT=\"" + root.string() + "\" BELLRUN_PICTURE_OUT=\"" +
                      shot.string() + "\" BELLRUN_PICTURE_MODE=" + mode +
                      " SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s \"-screen 0 " +
                      "1280x720x24\" \"" + fs::read_symlink("/proc/self/exe").string() +
                      "\" --gtest_also_run_disabled_tests " +
                      "--gtest_filter=PictureChild.DISABLED_DrawScene > \"" + log.string() +
                      "\" 2>&1";
    int status = std::system(cmd.c_str());
    std::string out = TestSupport::ReadText(log);
    if (status == 0 && fs::exists(shot)) return "";
    if (out.find("cannot create an OpenGL") != std::string::npos ||
        out.find("xvfb-run: error") != std::string::npos)
        return "skip: no GL context here";
    return "child failed (status " + std::to_string(status) + "):\n" + out.substr(0, 3000);
}
} // namespace

// The child half: only meaningful when the parent starts it.
TEST(PictureChild, DISABLED_DrawScene)
{
    const char* root = std::getenv("BELLRUN_PICTURE_ROOT");
    const char* out = std::getenv("BELLRUN_PICTURE_OUT");
    if (!root || !out) GTEST_SKIP() << "started by PictureTest.BehaviourFieldsAndTexts only";
    RunOptions options;
    options.windowed = true;
    options.dataDir = root;
    options.level = "SceneA.json";
    options.frames = 4;
    options.screenshot = out;
    ASSERT_EQ(Engine::Get().Init(options), 0);
    // The programs really use the inputs they are fed: none is optimised away.
    ShaderProgram* program = GraphicsManager::Get().GetDefaultProgram();
    ShaderProgram* light = GraphicsManager::Get().FindProgram("Shaders/Light.vert");
    ASSERT_TRUE(program && program->Linked && light && light->Linked);
    for (UniformSlot slot : {kUniModel, kUniView, kUniProjection, kUniTexture, kUniTransparency})
        EXPECT_GE(program->Location(slot), 0) << "sprite program, uniform slot " << slot;
    for (UniformSlot slot : {kUniAmbient, kUniSpotLight, kUniGodMode})
        EXPECT_GE(light->Location(slot), 0) << "light program, uniform slot " << slot;
    for (const char* attribute : {"position", "vertColor", "texCoord"})
        EXPECT_GE(glGetAttribLocation(program->Id, attribute), 0) << attribute;
    const char* modeText = std::getenv("BELLRUN_PICTURE_MODE");
    std::string mode = modeText ? modeText : "batched";
    GraphicsManager::Get().SetBatching(mode != "direct");
    Engine::Get().Step();
    if (mode == "lit")
    {
        // A player (a transform in the player slot is enough) standing on the green square,
        // with a small light: the far side of the scene falls to the ambient floor.
        GameObject* player = GameObjectManager::Get().CreateObject(kTypePlayer);
        ASSERT_TRUE(player);
        auto* at = new Transform(player);
        at->position = glm::vec3(kGreenX, kGreenY, 0.0f);
        player->AddComponent(at);
        SpotlightRadius = 4.0f;
        // Hold the camera where it is: with a player it would start following.
        Camera* cam = CameraManager::Get().GetCurrentCamera();
        ASSERT_TRUE(cam);
        cam->min = cam->max = cam->position;
        while (Engine::Get().running) Engine::Get().Step();
        Engine::Get().Shutdown();
        return;
    }
    GameObject* halves = FindByName("Halves.json");
    GameObject* green = FindByName("Green.json");
    ASSERT_TRUE(halves && green);
    halves->Get<Sprite>()->Mirrored = true;
    green->Get<Sprite>()->Transparency = 0.5f;
    green->AddComponent(new TextEveryFrame(
        green, Text("TTTT", kScreenTextX, kScreenTextY, 0.6f, 0.2f, true, 0, 255, 255)));
    green->AddComponent(new TextEveryFrame(
        green, Text("BELLRUN", kWorldTextX, kWorldTextY, 4.0f, 1.0f, false, 255, 0, 255)));
    while (Engine::Get().running) Engine::Get().Step();
    Engine::Get().Shutdown();
}

TEST(PictureTest, BehaviourFieldsAndTexts)
{
    if (!HaveVirtualDisplay()) GTEST_SKIP() << "needs xvfb-run (a Linux X server) for a GL context";
    fs::path root = Build("picture-inproc");
    fs::path batchedShot = root / "batched.png", directShot = root / "direct.png";
    std::string why = RunChild(root, "batched", batchedShot);
    if (why.rfind("skip:", 0) == 0) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    ASSERT_EQ(RunChild(root, "direct", directShot), "");
    Image img = LoadPng(batchedShot), direct = LoadPng(directShot);
    ASSERT_TRUE(img.Valid() && direct.Valid());

    Pixel left = WorldToPixel(kHalvesX - 0.5f, kHalvesY, 0, 0);
    Pixel right = WorldToPixel(kHalvesX + 0.5f, kHalvesY, 0, 0);
    EXPECT_TRUE(Dominant(img.At(left.x, left.y), 'b')) << "mirrored: blue on the left";
    EXPECT_TRUE(Dominant(img.At(right.x, right.y), 'r')) << "mirrored: red on the right";
    // Half-transparent green over the grey background.
    Pixel g = WorldToPixel(kGreenX, kGreenY, 0, 0);
    EXPECT_TRUE(Near(img.At(g.x, g.y), 25, 152, 30, 12));

    auto cyan = [](Rgba c) { return c.g > 150 && c.b > 150 && c.r < 90; };
    Pixel st = ClipToPixel(kScreenTextX, kScreenTextY);
    int w = static_cast<int>(0.3f * kWidth * 0.5f), h = static_cast<int>(0.1f * kHeight * 0.5f);
    EXPECT_GT(img.Count(st.x - w, st.y - h, st.x + w, st.y + h, cyan), 800) << "screen text";
    // Upright: the bars of the T's are in the upper part of the box, the stems below.
    int third = 2 * h / 3;
    int upper = img.Count(st.x - w, st.y - h, st.x + w, st.y - h + third, cyan);
    int lower = img.Count(st.x - w, st.y + h - third, st.x + w, st.y + h, cyan);
    EXPECT_GT(upper, 2 * lower) << "text drawn upside down";
    EXPECT_EQ(img.Count(0, 0, kWidth - 1, kHeight - 1, cyan),
              img.Count(st.x - w, st.y - h, st.x + w, st.y + h, cyan))
        << "only there";
    auto magenta = [](Rgba c) { return c.r > 150 && c.b > 150 && c.g < 90; };
    Pixel wt = WorldToPixel(kWorldTextX, kWorldTextY, 0, 0);
    Pixel wtEdge = WorldToPixel(kWorldTextX + 2.0f, kWorldTextY + 0.5f, 0, 0);
    int ww = wtEdge.x - wt.x, wh = wt.y - wtEdge.y;
    int inBox = img.Count(wt.x - ww, wt.y - wh, wt.x + ww, wt.y + wh, magenta);
    EXPECT_GT(inBox, 800) << "world text";
    EXPECT_EQ(img.Count(0, 0, kWidth - 1, kHeight - 1, magenta), inBox) << "only there";

    // Batching must not change the picture.
    int differ = 0;
    for (size_t i = 0; i < img.pixels.size(); ++i)
        if (std::abs(img.pixels[i] - direct.pixels[i]) > 2) ++differ;
    EXPECT_LE(differ, 50) << "batched and one-draw-per-sprite pictures differ";
    if (std::getenv("BELLRUN_KEEP_PICTURES"))
        std::printf("pictures kept in %s\n", root.string().c_str());
    else
        fs::remove_all(root);
}

TEST(PictureTest, SpotlightDarkensTheFarWorldButNotTheScreen)
{
    if (!HaveVirtualDisplay()) GTEST_SKIP() << "needs xvfb-run (a Linux X server) for a GL context";
    fs::path root = Build("picture-lit");
    fs::path shot = root / "lit.png";
    std::string why = RunChild(root, "lit", shot);
    if (why.rfind("skip:", 0) == 0) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    Image img = LoadPng(shot);
    ASSERT_TRUE(img.Valid());
    Pixel near = WorldToPixel(kGreenX, kGreenY, 0, 0);
    EXPECT_TRUE(Near(img.At(near.x, near.y), 0, 255, 0)) << "full light at the player";
    // Twelve units away, past the radius of 4: the ambient floor (half, a little blue).
    Pixel far = WorldToPixel(kStackX - 0.8f, kStackY, 0, 0);
    Rgba dim = img.At(far.x, far.y);
    EXPECT_TRUE(dim.r > 80 && dim.r < 140 && dim.g < 20 && dim.b < 20) << dim.r << "," << dim.g;
    Pixel hud = ClipToPixel(kHudX, kHudY);
    EXPECT_TRUE(Near(img.At(hud.x, hud.y), 255, 255, 0)) << "the HUD is never darkened";
    if (std::getenv("BELLRUN_KEEP_PICTURES"))
        std::printf("pictures kept in %s\n", root.string().c_str());
    else
        fs::remove_all(root);
}
