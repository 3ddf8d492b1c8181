// The whole world in the real engine: a level comes up with its map and objects, and the player
// falls onto the ground and stays there.
#include <gtest/gtest.h>

#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/Body.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"
#include "tests/WorldFixtures.h"

namespace fs = std::filesystem;

TEST(WorldHeadless, PlayerFallsOntoTheMapAndStaysThere)
{
    fs::path root = WorldFix::MakeDataRoot("world", {"Yard.json"});
    WorldFix::WriteCommonArchetypes(root);
    std::vector<std::vector<int>> rows(6, std::vector<int>(12, 0));
    rows[5].assign(12, 1);       // ground along the bottom
    rows[4][8] = rows[3][8] = 1; // a wall two tiles high at column 8
    rows[4][3] = 2;              // a vine that does not block
    TestSupport::WriteText(root, "GameData/Maps/Yard.json",
                           WorldFix::MapJson("Yard.json", rows, {"Ground.json", "Vine.json"}));
    WorldFix::WriteLevel(root, "Yard.json", "Yard.json",
                         {{"Hero.json", 3.0f, 4.0f}, {"Crate.json", 6.0f, 1.0f}});
    HeadlessGame game(root, "Yard.json");
    ASSERT_EQ(game.status(), 0);
    GameObjectManager& objects = GameObjectManager::Get();
    EXPECT_EQ(objects.liveCounts[kLayerMap], 15);
    EXPECT_EQ(MapManager::Get().GetMapName(), "Yard.json");
    game.Frames(120);
    GameObject* hero = objects.Player();
    ASSERT_NE(hero, nullptr);
    Transform* t = hero->Get<Transform>();
    // Scale (1, 2): feet on the ground's top at y 0.5, the vine at (3, 1) passed through.
    EXPECT_FLOAT_EQ(t->position.y, 1.5f);
    EXPECT_FLOAT_EQ(t->position.x, 3.0f);
    EXPECT_EQ(hero->collisionFlags, uint32_t{kContactBottom});
    EXPECT_FLOAT_EQ(hero->Get<Body>()->velocity.y, 0.0f);
    // Walking right into the wall stops the hero beside it.
    hero->Get<Body>()->velocity.x = 4.0f;
    for (int i = 0; i < 90; ++i)
    {
        hero->Get<Body>()->velocity.x = 4.0f;
        game.Frames(1);
    }
    EXPECT_FLOAT_EQ(t->position.x, 7.0f); // right edge on the wall's border at 7.5
    EXPECT_NE(hero->collisionFlags & kContactRight, 0u);
    fs::remove_all(root);
}

TEST(WorldHeadless, ShippedFirstLevelComesUpAndThePlayerLands)
{
    fs::path data = TestSupport::ShippedData();
    if (!fs::exists(data / "GameData/Levels/Level1.json")) GTEST_SKIP() << "no Level1 shipped yet";
    HeadlessGame game(data, "Level1.json");
    ASSERT_EQ(game.status(), 0);
    game.Frames(120);
    GameObjectManager& objects = GameObjectManager::Get();
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "Level1.json");
    EXPECT_GT(objects.liveCounts[kLayerMap], 100);
    GameObject* player = objects.Player();
    ASSERT_NE(player, nullptr);
    EXPECT_NE(player->collisionFlags & kContactBottom, 0u);
    ASSERT_NE(player->Get<Body>(), nullptr);
    EXPECT_FLOAT_EQ(player->Get<Body>()->velocity.y, 0.0f);
    float y = player->Get<Transform>()->position.y;
    game.Frames(30);
    EXPECT_FLOAT_EQ(player->Get<Transform>()->position.y, y);
}
