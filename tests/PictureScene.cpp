#include "tests/PictureScene.h"

#include <cstdlib>
#include <fstream>

#include <stb_image.h>
#include <stb_image_write.h>

#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace PictureScene
{
namespace
{
const char* const kFontNames[] = {"Pixel_Countdown.ttf", "Serif_Bold.ttf", "Facet_Regular.ttf",
                                  "EraserRegular.ttf"};

const char* const kQuadMesh =
    R"("Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3, "CoordsPerColor": 4,
    "Data": [0.5,-0.5,0, 1,1,1,1, 1,0,  -0.5,-0.5,0, 1,1,1,1, 0,0,  -0.5,0.5,0, 1,1,1,1, 0,1,
             0.5,-0.5,0, 1,1,1,1, 1,0,   0.5,0.5,0, 1,1,1,1, 1,1,  -0.5,0.5,0, 1,1,1,1, 0,1]})";

// Two halves: left and right, or top and bottom when across is set.
void WritePng(const fs::path& file, int w, int h, Rgba left, Rgba right, bool across = false)
{
    fs::create_directories(file.parent_path());
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const Rgba& c = (across ? y < h / 2 : x < w / 2) ? left : right;
            unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<unsigned char>(c.r);
            p[1] = static_cast<unsigned char>(c.g);
            p[2] = static_cast<unsigned char>(c.b);
            p[3] = static_cast<unsigned char>(c.a);
        }
    stbi_write_png(file.string().c_str(), w, h, 4, px.data(), w * 4);
}

std::string Archetype(const std::string& name, const std::string& type, float x, float y, float sx,
                      float sy, const std::string& texture, bool animated)
{
    std::string entry = R"({"Animation": 0, "Name": "Textures/)" + texture + R"(", "Width": 16,
        "Height": 8, "Frames": 1, "Time": 0, "CoordData": "Textures/frame.txt"})";
    return R"({"Name": ")" + name + R"(", "Type": ")" + type + R"(",
        "Transform": {"Position": [)" +
           std::to_string(x) + ", " + std::to_string(y) + R"(, 0], "Scale": [)" +
           std::to_string(sx) + ", " + std::to_string(sy) + R"(], "Rotation": 0},
        "Sprite": {"Static": ")" +
           (animated ? "false" : "true") + R"(", )" + kQuadMesh + R"(,
            "Shader": "Shaders/DefaultShader", "Textures": [)" +
           entry + "]}}";
}

fs::path AnyFont()
{
    fs::path preferred = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    std::error_code ec;
    if (fs::exists(preferred, ec)) return preferred;
    for (auto it = fs::recursive_directory_iterator("/usr/share/fonts", ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->path().extension() == ".ttf") return it->path();
    return fs::path();
}

void CopyShadersAndFonts(const fs::path& root)
{
    fs::path data = TestSupport::ShippedData();
    fs::create_directories(root / "Shaders");
    fs::create_directories(root / "Fonts");
    for (const auto& f : fs::directory_iterator(data / "Shaders"))
        fs::copy_file(f.path(), root / "Shaders" / f.path().filename(),
                      fs::copy_options::overwrite_existing);
    // The game's own fonts when they are there; any TrueType face otherwise.
    fs::path fallback = AnyFont();
    for (const char* name : kFontNames)
    {
        fs::path shipped = data / "Fonts" / name;
        std::error_code ec;
        fs::path from = fs::exists(shipped, ec) ? shipped : fallback;
        if (!from.empty())
            fs::copy_file(from, root / "Fonts" / name, fs::copy_options::overwrite_existing, ec);
    }
}

std::string Level(const std::string& name, float cameraX)
{
    std::string objects;
    const char* const names[] = {"Back.json",      "Green.json",    "Halves.json",
                                 "BlendBase.json", "BlendTop.json", "StackBottom.json",
                                 "StackTop.json",  "UpDown.json",   "Hud.json"};
    for (const char* n : names)
        objects += std::string(objects.empty() ? "" : ", ") + R"({"Name": ")" + n + R"("})";
    return R"({"Name": ")" + name + R"(", "Camera": {"Position": [)" + std::to_string(cameraX) +
           R"(, 0, 10], "MinX": -100, "MaxX": 100, "MinY": -100, "MaxY": 100},
        "GameObjects": [)" +
           objects + "]}";
}
} // namespace

fs::path Build(const std::string& tag)
{
    fs::path root = TestSupport::MakeTempDir(tag);
    CopyShadersAndFonts(root);
    fs::path tex = root / "Textures";
    WritePng(tex / "grey.png", 16, 8, {50, 50, 60}, {50, 50, 60});
    WritePng(tex / "green.png", 16, 8, {0, 255, 0}, {0, 255, 0});
    WritePng(tex / "red.png", 16, 8, {255, 0, 0}, {255, 0, 0});
    WritePng(tex / "blue.png", 16, 8, {0, 0, 255}, {0, 0, 255});
    WritePng(tex / "yellow.png", 16, 8, {255, 255, 0}, {255, 255, 0});
    WritePng(tex / "white50.png", 16, 8, {255, 255, 255, 128}, {255, 255, 255, 128});
    WritePng(tex / "halves.png", 16, 8, {255, 0, 0}, {0, 0, 255});
    WritePng(tex / "updown.png", 16, 8, {0, 255, 0}, {255, 0, 0}, true);
    TestSupport::WriteText(root, "Textures/frame.txt", "frame0 = 0 0 16 8\n");
    const std::string objs = "GameData/GameObjects/";
    auto put = [&](const std::string& file, const std::string& text)
    { TestSupport::WriteText(root, objs + file, text); };
    put("Back.json", Archetype("Back.json", "BACKGROUND", 0, 0, 60, 30, "grey.png", false));
    put("Green.json",
        Archetype("Green.json", "DEFAULT", kGreenX, kGreenY, 2, 2, "green.png", false));
    put("Halves.json",
        Archetype("Halves.json", "DEFAULT", kHalvesX, kHalvesY, 2, 2, "halves.png", true));
    put("BlendBase.json",
        Archetype("BlendBase.json", "DEFAULT", kBlendX, kBlendY, 2, 2, "blue.png", false));
    put("BlendTop.json",
        Archetype("BlendTop.json", "DECORATE", kBlendX, kBlendY, 1.2f, 1.2f, "white50.png", false));
    put("StackBottom.json",
        Archetype("StackBottom.json", "DEFAULT", kStackX, kStackY, 2, 2, "red.png", false));
    put("StackTop.json",
        Archetype("StackTop.json", "DECORATE", kStackX, kStackY, 1, 1, "green.png", false));
    put("UpDown.json",
        Archetype("UpDown.json", "DEFAULT", kUpDownX, kUpDownY, 2, 2, "updown.png", false));
    put("Hud.json", Archetype("Hud.json", "HUD", kHudX, kHudY, 0.2f, 0.2f, "yellow.png", false));
    TestSupport::WriteText(root, "GameData/Levels/SceneA.json", Level("SceneA.json", 0.0f));
    TestSupport::WriteText(root, "GameData/Levels/SceneB.json", Level("SceneB.json", 2.0f));
    TestSupport::WriteText(root, "System/LevelList.json", R"(["SceneA.json", "SceneB.json"])");
    TestSupport::WriteText(root, "System/PreLoad.json", "[]");
    return root;
}

Rgba Image::At(int x, int y) const
{
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

Image LoadPng(const fs::path& file)
{
    Image img;
    int n = 0;
    unsigned char* data = stbi_load(file.string().c_str(), &img.width, &img.height, &n, 4);
    if (!data) return Image{};
    img.pixels.assign(data, data + static_cast<size_t>(img.width) * img.height * 4);
    stbi_image_free(data);
    return img;
}

Pixel WorldToPixel(float x, float y, float cameraX, float cameraY)
{
    const float t = 0.55785173f, aspect = 1.7777778f;
    float ndcX = (x - cameraX) / (t * aspect * kCameraZ);
    float ndcY = (y - cameraY) / (t * kCameraZ);
    return ClipToPixel(ndcX, ndcY);
}

Pixel ClipToPixel(float x, float y)
{
    return Pixel{static_cast<int>((x + 1.0f) * 0.5f * kWidth),
                 static_cast<int>((1.0f - y) * 0.5f * kHeight)};
}

bool Near(const Rgba& c, int r, int g, int b, int tolerance)
{
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance;
}

bool Dominant(const Rgba& c, char channel)
{
    int v = channel == 'r' ? c.r : channel == 'g' ? c.g : c.b;
    int o1 = channel == 'r' ? c.g : c.r;
    int o2 = channel == 'b' ? c.g : c.b;
    return v > 150 && v > o1 + 100 && v > o2 + 100;
}

bool HaveVirtualDisplay()
{
    return TestSupport::HaveTool("xvfb-run");
}

std::string RunGame(const fs::path& root, const std::string& level, int frames,
                    const fs::path& shot)
{
    fs::path log = shot.string() + ".log";
    std::string cmd = "SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s \"-screen 0 " +
                      std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24\" \"" +
                      std::string(BELLRUN_BINARY) + "\" --data \"" + root.string() +
                      "\" --windowed --size " + std::to_string(kWidth) + "x" +
                      std::to_string(kHeight) + " --frames " + std::to_string(frames) +
                      " --level " + level + " --screenshot \"" + shot.string() + "\" > \"" +
                      log.string() + "\" 2>&1";
    int status = std::system(cmd.c_str());
    std::string out = TestSupport::ReadText(log);
    std::error_code ec;
    if (status == 0 && fs::exists(shot, ec)) return "";
    if (out.find("cannot create an OpenGL") != std::string::npos ||
        out.find("cannot create the window") != std::string::npos ||
        out.find("xvfb-run: error") != std::string::npos)
        return "skip: no GL context here: " + out.substr(0, 400);
    return "the game failed (status " + std::to_string(status) + "):\n" + out.substr(0, 3000);
}
} // namespace PictureScene
