// One whole headless frame (update, events, the map and body passes, the render walk) on a
// generated level: 2,500 tiles and 200 bodies in the gameplay layer, plus the shipped player.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "bench/BenchSupport.h"
#include "engine/core/Engine.h"
#include "engine/data/Json.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/physics/Body.h"
#include "engine/physics/PhysicsManager.h"

namespace fs = std::filesystem;

namespace
{
void Write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A gameplay archetype wearing the shipped crate's sprite.
std::string BodyArchetype(const fs::path& data, const char* name, const char* type, bool gravity)
{
    rapidjson::Document crate;
    ParseJson(Read(data / "GameData/GameObjects/TileCrate.json"), crate, nullptr);
    std::ostringstream out;
    out << R"({"Name": ")" << name << R"(", "Type": ")" << type << R"(",)"
        << R"( "Transform": {"Position": [0, 0, 0], "Scale": [1, 1], "Rotation": 0},)"
        << R"( "Body": {"Gravity": )" << (gravity ? "true" : "false")
        << R"(, "Mass": 1, "Vertices": [4, 0.5, -0.5, 0.5, 0.5, -0.5, 0.5, -0.5, -0.5]})";
    if (crate.IsObject() && crate.HasMember("Sprite"))
    {
        rapidjson::StringBuffer sprite;
        rapidjson::Writer<rapidjson::StringBuffer> w(sprite);
        crate["Sprite"].Accept(w);
        out << R"(, "Sprite": )" << sprite.GetString();
    }
    out << "}";
    return out.str();
}

// 500 x 8 map whose bottom five rows are ground: 2,500 tiles.
std::string Map()
{
    std::ostringstream out;
    out << R"({"Name": "BenchMap.json", "Height": 8, "Width": 500, "MapObjectData": [)";
    for (int i = 0; i < 8; ++i)
    {
        out << (i ? ", [" : "[");
        for (int c = 0; c < 500; ++c) out << (c ? ", " : "") << (i >= 3 ? 1 : 0);
        out << "]";
    }
    out << R"(], "ObjectList": ["TileGround.json"]})";
    return out.str();
}

std::string Level()
{
    std::ostringstream out;
    out << R"({"Name": "Bench.json", "Map": "BenchMap.json", "Camera": {"Position": [10, 8, 15],)"
        << R"( "MinX": 0, "MaxX": 480, "MinY": 0, "MaxY": 10}, "GameObjects": [)";
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
    for (int i = 0; i < 200; ++i)
    {
        bool robot = i % 2 == 0;
        float x = 6.0f + i * 2.4f + jitter(rng);
        float y = robot ? 5.0f : 7.5f + (i % 3) * 1.2f;
        out << (i ? ", " : "") << R"({"Name": ")" << (robot ? "BenchRobot.json" : "BenchBox.json")
            << R"(", "OverWrite": {"Transform": {"Position": [)" << x << ", " << y
            << R"(, 0], "Scale": [1, 1], "Rotation": 0}}})";
    }
    // Last, so the 200 bodies fill the gameplay layer before the player asks it for an aim marker.
    out << R"(, {"Name": "Player.json", "OverWrite": {"Transform": )"
        << R"({"Position": [3, 6, 0], "Scale": [1.5, 2], "Rotation": 0}}})";
    out << "]}";
    return out.str();
}

fs::path MakeRoot()
{
    fs::path data = fs::path(BELLRUN_SOURCE_DIR) / "data";
    fs::path root = fs::temp_directory_path() / "bellrun-frame-bench";
    fs::remove_all(root);
    fs::copy(data, root, fs::copy_options::recursive);
    Write(root / "System/LevelList.json", R"(["Bench.json"])");
    Write(root / "GameData/Maps/BenchMap.json", Map());
    Write(root / "GameData/Levels/Bench.json", Level());
    Write(root / "GameData/GameObjects/BenchRobot.json",
          BodyArchetype(data, "BenchRobot.json", "ROBOT", true));
    Write(root / "GameData/GameObjects/BenchBox.json",
          BodyArchetype(data, "BenchBox.json", "BOX", false));
    return root;
}

bool StartEngine()
{
    RunOptions options;
    options.headless = true;
    options.dataDir = MakeRoot().string();
    // Load the level and let the bodies settle onto the ground.
    if (StartGame(options, 120) != 0) return false;
    std::fflush(stdout);
    return true;
}

void HeadlessFrame(benchmark::State& state)
{
    static bool started = StartEngine();
    if (!started)
    {
        state.SkipWithError("the engine did not start");
        return;
    }
    for (auto _ : state) Engine::Get().Step();
}
// The world's share of that frame: the body steps and both collision passes.
void WorldPasses(benchmark::State& state)
{
    static bool started = StartEngine();
    if (!started)
    {
        state.SkipWithError("the engine did not start");
        return;
    }
    GameObjectManager& objects = GameObjectManager::Get();
    for (auto _ : state)
    {
        for (int layer : {kLayerPlayer, kLayerGameplay})
            objects.ForEachActive(layer,
                                  [](GameObject& obj)
                                  {
                                      if (Body* body = BodyOf(obj)) body->Update();
                                  });
        PhysicsManager::Get().CollideMap();
        benchmark::DoNotOptimize(PhysicsManager::Get().CollideBodies());
    }
}
} // namespace

BENCHMARK(WorldPasses)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(HeadlessFrame)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
