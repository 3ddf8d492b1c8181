// RenderBench: one rendered frame of a busy level at 1920x1080: 2,500 map tiles, 100 animated
// sprites, a background, the player's spotlight and 10 texts (one of them changing every
// frame). Needs a GL context: run it under `xvfb-run -s "-screen 0 1920x1080x24"`.
// Reports the median and 95th percentile frame time: batched, one draw per sprite, and batched
// with every animated sprite crowded into view.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <stb_image_write.h>

#include "bench/BenchSupport.h"
#include "engine/core/Engine.h"
#include "engine/core/WindowManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/player/Player.h"

namespace fs = std::filesystem;

namespace
{
// 2,500 tiles in a 125 x 40 map, as a level fills its tile pool: solid ground, then ledges.
constexpr int kMapWidth = 125, kMapHeight = 40, kTiles = 2500, kWalkers = 100, kTexts = 10;
const char* const kQuad =
    R"("Mesh": {"VertexNumber": 6, "CoordsPerVertex": 9, "CoordsPerPos": 3, "CoordsPerColor": 4,
    "Data": [0.5,-0.5,0, 1,1,1,1, 1,0,  -0.5,-0.5,0, 1,1,1,1, 0,0,  -0.5,0.5,0, 1,1,1,1, 0,1,
             0.5,-0.5,0, 1,1,1,1, 1,0,   0.5,0.5,0, 1,1,1,1, 1,1,  -0.5,0.5,0, 1,1,1,1, 0,1]})";

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

void Image(const fs::path& file, int w, int h, unsigned seed)
{
    fs::create_directories(file.parent_path());
    std::mt19937 rng(seed);
    std::vector<unsigned char> px(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < px.size(); i += 4)
    {
        int base = 60 + static_cast<int>(rng() % 120);
        px[i] = static_cast<unsigned char>(base);
        px[i + 1] = static_cast<unsigned char>(base * (seed % 3 + 1) / 3);
        px[i + 2] = static_cast<unsigned char>(255 - base);
        px[i + 3] = 255;
    }
    stbi_write_png(file.string().c_str(), w, h, 4, px.data(), w * 4);
}

std::string Sprite(const std::string& texture, int w, int h, int frames, int timeMs, bool still)
{
    std::string entry = R"({"Animation": 0, "Name": "Textures/)" + texture + R"(", "Width": )" +
                        std::to_string(w) + R"(, "Height": )" + std::to_string(h) +
                        R"(, "Frames": )" + std::to_string(frames) + R"(, "Time": )" +
                        std::to_string(timeMs) + R"(, "CoordData": "Textures/frames.txt"})";
    return std::string(R"("Sprite": {"Static": ")") + (still ? "true" : "false") + "\", " + kQuad +
           R"(, "Shader": "Shaders/DefaultShader", "Textures": [)" + entry + "]}";
}

fs::path FindFont()
{
    const fs::path repo = fs::path(BELLRUN_SOURCE_DIR) / "data/Fonts/Serif_Bold.ttf";
    if (fs::exists(repo)) return repo;
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

fs::path BuildLevel()
{
    fs::path root = fs::temp_directory_path() / "bellrun-renderbench";
    fs::remove_all(root);
    fs::create_directories(root);
    fs::copy(fs::path(BELLRUN_SOURCE_DIR) / "data/Shaders", root / "Shaders");
    fs::create_directories(root / "Fonts");
    for (const char* f :
         {"Pixel_Countdown.ttf", "Serif_Bold.ttf", "Facet_Regular.ttf", "EraserRegular.ttf"})
    {
        fs::path shipped = fs::path(BELLRUN_SOURCE_DIR) / "data/Fonts" / f;
        fs::copy_file(fs::exists(shipped) ? shipped : FindFont(), root / "Fonts" / f);
    }
    std::string frames;
    for (int i = 0; i < 8; ++i)
        frames += "f" + std::to_string(i) + " = " + std::to_string(i * 32) + " 0 32 32\n";
    Write(root / "Textures/frames.txt", frames);
    std::string objects = R"({"Name": "Back.json"})";
    for (int t = 0; t < 4; ++t)
    {
        std::string name = "Tile" + std::to_string(t);
        Image(root / ("Textures/" + name + ".png"), 32, 32, 7u + t);
        Write(root / ("GameData/GameObjects/" + name + ".json"),
              R"({"Name": ")" + name + R"(.json", "Type": "MAP", "Obstruct": true, "Transform": {},
              )" + Sprite(name + ".png", 32, 32, 1, 0, true) +
                  "}");
    }
    Image(root / "Textures/back.png", 512, 256, 3u);
    Image(root / "Textures/walker.png", 256, 32, 5u);
    Write(root / "GameData/GameObjects/Back.json", R"({"Name": "Back.json", "Type": "BACKGROUND",
        "Transform": {"Position": [62, 20, 0], "Scale": [130, 45]}, )" +
                                                       Sprite("back.png", 512, 256, 1, 0, true) +
                                                       "}");
    Write(root / "GameData/GameObjects/Walker.json", R"({"Name": "Walker.json", "Type": "DEFAULT",
        "Transform": {"Scale": [1.5, 2]}, )" + Sprite("walker.png", 256, 32, 8, 100, false) +
                                                         "}");
    for (int i = 0; i < kWalkers; ++i)
        objects += R"(, {"Name": "Walker.json", "OverWrite": {"Transform": {"Position": [)" +
                   std::to_string(48 + (i % 25)) + ", " + std::to_string(10 + (i / 25) * 3) +
                   R"(, 0], "Scale": [1.5, 2], "Rotation": 0}}})";
    std::vector<int> cells(static_cast<size_t>(kMapWidth) * kMapHeight, 0);
    int placed = 0;
    auto fill = [&](int c, int r, int v)
    {
        if (placed < kTiles && !cells[static_cast<size_t>(r) * kMapWidth + c])
        {
            cells[static_cast<size_t>(r) * kMapWidth + c] = v;
            ++placed;
        }
    };
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < kMapWidth; ++c) fill(c, r, r == 8 ? 1 : 2);
    // Ledges five tiles long, staggered row by row, until the pool is full.
    for (int r = 10; r < kMapHeight; ++r)
        for (int c = 0; c < kMapWidth; ++c)
            if ((c + 4 * r) % 12 < 5) fill(c, r, 3 + ((c + 4 * r) % 12 == 0));
    std::string rows;
    for (int r = kMapHeight - 1; r >= 0; --r)
    {
        rows += r == kMapHeight - 1 ? "[" : ",[";
        for (int c = 0; c < kMapWidth; ++c)
            rows += (c ? "," : "") + std::to_string(cells[static_cast<size_t>(r) * kMapWidth + c]);
        rows += "]";
    }
    Write(root / "GameData/Maps/BenchMap.json",
          R"({"Name": "BenchMap.json", "Height": )" + std::to_string(kMapHeight) +
              R"(, "Width": )" + std::to_string(kMapWidth) + R"(, "MapObjectData": [)" + rows +
              R"(], "ObjectList": ["Tile0.json", "Tile1.json", "Tile2.json", "Tile3.json"]})");
    Write(root / "GameData/Levels/Bench.json", R"({"Name": "Bench.json", "Map": "BenchMap.json",
        "Camera": {"Position": [60, 14, 15], "MinX": 0, "MaxX": 125, "MinY": 0, "MaxY": 40},
        "GameObjects": [)" + objects + "]}");
    Write(root / "System/LevelList.json", R"(["Bench.json"])");
    Write(root / "System/PreLoad.json", "[]");
    return root;
}

int g_state = 0; // 0 not tried, 1 running, 2 failed

bool StartOnce()
{
    int& state = g_state;
    if (state) return state == 1;
    RunOptions options;
    options.dataDir = BuildLevel().string();
    options.level = "Bench.json";
    options.windowed = true;
    options.width = 1920;
    options.height = 1080;
    state = StartGame(options) == 0 && Gpu::Enabled() ? 1 : 2;
    if (state != 1) return false;
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    GameObject* obj = GameObjectManager::Get().CreateObject(kTypePlayer);
    auto* t = new Transform(obj);
    t->position = glm::vec3(60.0f, 10.0f, 0.0f);
    obj->AddComponent(t);
    obj->AddComponent(new Player(obj));
    return true;
}

// Spread: the walkers stand along the whole level, a quarter of them in view, as guards,
// cameras and lamps do. Crowded: all of them in view at once, a worst case for fill.
void PlaceWalkers(bool crowded)
{
    int i = 0;
    GameObjectManager::Get().ForEachActive(
        kLayerGameplay,
        [&](GameObject& obj)
        {
            Transform* t = obj.Get<Transform>();
            if (!t || obj.name != "Walker.json") return;
            t->position = crowded
                              ? glm::vec3(48.0f + (i % 25), 10.0f + (i / 25) * 3.0f, 0.0f)
                              : glm::vec3(2.0f + (i % 50) * 2.4f, 10.0f + (i / 50) * 6.0f, 0.0f);
            ++i;
        });
}

void QueueTexts(long frame)
{
    for (int i = 0; i < kTexts; ++i)
    {
        TextRequest r;
        r.fontName = i % 2 ? "Fonts/Serif_Bold.ttf" : "Fonts/Facet_Regular.ttf";
        r.text =
            i == 0 ? "Time " + std::to_string(frame) : "Line of dialog number " + std::to_string(i);
        r.screenSpace = i < kTexts / 2;
        r.position = r.screenSpace ? glm::vec3(-0.5f, 0.8f - 0.15f * i, 0.0f)
                                   : glm::vec3(50.0f + 3.0f * i, 16.0f, 0.0f);
        r.scale = r.screenSpace ? glm::vec3(0.6f, 0.1f, 1.0f) : glm::vec3(4.0f, 0.8f, 1.0f);
        TextRenderer::Get().QueueText(r);
    }
}

// The drawing half of a frame, steps 9 to 21, finished on the card.
void RenderFrame(long frame)
{
    WindowManager& window = WindowManager::Get();
    GraphicsManager::Get().BeginFrame(window.width, window.height);
    TextRenderer::Get().ClearQueue();
    QueueTexts(frame);
    GameObjectManager::Get().DrawScene(); // and the queued texts
    window.Swap();
    glFinish();
}

void Run(benchmark::State& state, bool batching, bool crowded)
{
    if (!StartOnce())
    {
        state.SkipWithError("no GL context: run under xvfb-run -s \"-screen 0 1920x1080x24\"");
        return;
    }
    GraphicsManager::Get().SetBatching(batching);
    PlaceWalkers(crowded);
    long frame = 0;
    for (int i = 0; i < 20; ++i) RenderFrame(frame++);
    std::vector<double> ms;
    for (auto _ : state)
    {
        auto start = std::chrono::steady_clock::now();
        RenderFrame(frame++);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        ms.push_back(took.count() * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["min_ms"] = ms[0];
    state.counters["p95_ms"] = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    state.counters["draw_calls"] = GraphicsManager::Get().Submitter().drawCalls;
    state.counters["sprites"] = GraphicsManager::Get().spritesDrawn;
    state.counters["culled"] = GraphicsManager::Get().Submitter().culled;
}

void BM_FrameBatched(benchmark::State& state)
{
    Run(state, true, false);
}
void BM_FrameOneDrawPerSprite(benchmark::State& state)
{
    Run(state, false, false);
}
void BM_FrameBatchedCrowded(benchmark::State& state)
{
    Run(state, true, true);
}
} // namespace

BENCHMARK(BM_FrameBatched)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(BM_FrameOneDrawPerSprite)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);
BENCHMARK(BM_FrameBatchedCrowded)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (g_state == 1) Engine::Get().Shutdown();
    benchmark::Shutdown();
    return 0;
}
