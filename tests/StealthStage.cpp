#include "tests/StealthStage.h"

#include <map>
#include <sstream>

#include "engine/core/EventManager.h"
#include "engine/objects/GameObjectManager.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

namespace
{
// Counts the events its owner hears, by type.
class EventCounter final : public Component
{
  public:
    explicit EventCounter(GameObject* owner) : Component(owner, 101) {}
    void HandleEvent(Event* e) override
    {
        if (e) ++heard[e->type];
    }
    void OnCollision(GameObject*) override {}
    std::map<int, int> heard;
};

std::string Placement(const Stealth::Placed& p)
{
    std::ostringstream out;
    out << R"({"Name": ")" << p.archetype << R"(", "OverWrite": {"Transform": {"Position": [)"
        << p.x << ", " << p.y << R"(, 0]})" << (p.overwrite.empty() ? "" : ", ") << p.overwrite
        << "}}";
    return out.str();
}

std::string LevelText(const Stealth::StageSpec& stage)
{
    std::ostringstream out;
    out << R"({"Name": "Stage.json", "Map": "StageMap.json", "Camera": {"Position": [)"
        << stage.playerX << R"(, 5, 15], "MinX": -100, "MaxX": 100, "MinY": -100, "MaxY": 100},
        "GameObjects": [{"Name": "Player.json", "OverWrite": {"Transform": {"Position": [)"
        << stage.playerX << ", " << stage.playerY << R"(, 0]}, "Player": {"CheckPoint": [)"
        << stage.playerX << ", " << stage.playerY << R"(]}, "PlayerController": {"PocketBall": )"
        << stage.balls << R"(, "EMP": )" << stage.emps << "}}}";
    for (const Stealth::Placed& p : stage.objects) out << ", " << Placement(p);
    out << "]}";
    return out.str();
}
} // namespace

std::unique_ptr<HeadlessGame> Stealth::Start(const StageSpec& stage)
{
    fs::path root = TestSupport::MakeTempDir("stage");
    const fs::path shipped = TestSupport::ShippedData();
    for (const char* dir : {"Fonts", "Textures", "Sounds", "Shaders"})
        TestSupport::ShareFolder(shipped / dir, root / dir);
    fs::create_directories(root / "GameData");
    TestSupport::ShareFolder(shipped / "GameData/GameObjects", root / "GameData/GameObjects");
    std::vector<std::vector<int>> cells;
    for (const std::string& row : stage.rows)
    {
        cells.emplace_back();
        for (char c : row) cells.back().push_back(c == '#' ? 1 : 0);
    }
    TestSupport::WriteText(root, "GameData/Maps/StageMap.json",
                           WorldFix::MapJson("StageMap.json", cells, {"TileGround.json"}));
    TestSupport::WriteText(root, "GameData/Levels/Stage.json", LevelText(stage));
    TestSupport::WriteText(root, "System/LevelList.json", R"(["Stage.json"])");
    auto game = std::make_unique<HeadlessGame>(root, "Stage.json");
    PlayerObject().AddComponent(new EventCounter(&PlayerObject()));
    return game;
}

GameObject& Stealth::PlayerObject()
{
    return *GameObjectManager::Get().Player();
}

std::vector<GameObject*> Stealth::OfArchetype(const std::string& name)
{
    std::vector<GameObject*> found;
    for (auto& layer : GameObjectManager::Get().layers)
        for (GameObject& obj : layer)
            if (obj.active && obj.name == name) found.push_back(&obj);
    return found;
}

int Stealth::Delivered(int type)
{
    EventCounter* counter = PlayerObject().Get<EventCounter>();
    if (!counter) return 0;
    int n = counter->heard[type];
    counter->heard[type] = 0;
    return n;
}
