// The render pass without a GPU: the layer walk, the uniform values each sprite is drawn with,
// and the closing light. The engine runs headless on the picture tests' scene.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/player/Player.h"
#include "tests/PictureScene.h"

namespace fs = std::filesystem;

namespace
{
class GraphicsPass : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        root_ = PictureScene::Build("pass");
        RunOptions options;
        options.headless = true;
        options.dataDir = root_.string();
        options.level = "SceneA.json";
        ASSERT_EQ(Engine::Get().Init(options), 0);
        Engine::Get().Step(); // the level loads at the end of the first frame
        GraphicsManager::Get().drawListener = [this](const SpriteDraw& d) { draws.push_back(d); };
    }
    void TearDown() override
    {
        GraphicsManager::Get().drawListener = nullptr;
        Engine::Get().Shutdown();
        fs::remove_all(root_);
    }

    // An object with a transform and a sprite in the layer of the given type.
    GameObject* Add(int type, float x = 0.0f)
    {
        GameObject* obj = GameObjectManager::Get().CreateObject(type);
        auto* t = new Transform(obj);
        t->position.x = x;
        obj->AddComponent(t);
        obj->AddComponent(new Sprite(obj));
        return obj;
    }
    Player* AddPlayer(float x, float y)
    {
        GameObject* obj = GameObjectManager::Get().CreateObject(kTypePlayer);
        auto* t = new Transform(obj);
        t->position = glm::vec3(x, y, 0.0f);
        obj->AddComponent(t);
        auto* p = new Player(obj);
        obj->AddComponent(p);
        return p;
    }
    int PostedLevelEnds() const
    {
        int n = 0;
        for (const Event& e : EventManager::Get().events) n += e.inUse && e.type == kEventLevelEnd;
        return n;
    }

    fs::path root_;
    std::vector<SpriteDraw> draws;
};
} // namespace

TEST_F(GraphicsPass, LayersDrawInOrderAndOnlyTheMenuWhilePaused)
{
    Add(kTypeMenu);
    draws.clear();
    GameObjectManager::Get().DrawScene();
    ASSERT_EQ(draws.size(), 9u) << "the scene's nine sprites, not the menu";
    for (size_t i = 1; i < draws.size(); ++i) EXPECT_LE(draws[i - 1].layer, draws[i].layer);
    EXPECT_EQ(draws.front().layer, 0);
    EXPECT_EQ(draws.back().layer, 8);
    GameObjectManager::Get().paused = true;
    draws.clear();
    GameObjectManager::Get().DrawScene();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].layer, 9);
}

TEST_F(GraphicsPass, TheWalkStopsAtTheLiveCountAndHiddenSpritesStillCount)
{
    GameObjectManager& objects = GameObjectManager::Get();
    int before = objects.liveCounts[kLayerSpare];
    // Layer 7 has no type of its own: claim its first slots directly.
    GameObject* a = &objects.layers[kLayerSpare][0];
    GameObject* b = &objects.layers[kLayerSpare][1];
    GameObject* c = &objects.layers[kLayerSpare][2];
    for (GameObject* o : {a, b, c})
    {
        o->active = true;
        o->AddComponent(new Sprite(o));
    }
    a->Get<Sprite>()->Active = false;
    objects.liveCounts[kLayerSpare] = before + 2;
    draws.clear();
    GraphicsManager::Get().DrawLayer(kLayerSpare);
    ASSERT_EQ(draws.size(), 1u) << "a is hidden but counted; c is past the live count";
    EXPECT_EQ(draws[0].sprite, b->Get<Sprite>());
    EXPECT_EQ(a->Get<Sprite>()->Timers[0], 0.0) << "a hidden sprite is not animated";
}

TEST_F(GraphicsPass, UniformValuesFollowThePlayerAndTheLayer)
{
    Player* player = AddPlayer(3.0f, 4.0f);
    player->godMode = true;
    GameObject* faded = Add(kTypeDefault);
    faded->Get<Sprite>()->Transparency = 0.25f;
    draws.clear();
    GameObjectManager::Get().DrawScene();
    ASSERT_FALSE(draws.empty());
    for (const SpriteDraw& d : draws)
    {
        EXPECT_EQ(d.light.playerPos, glm::vec3(3.0f, 4.0f, 0.0f));
        EXPECT_FLOAT_EQ(d.light.godRadius, 0.9f);
        EXPECT_FLOAT_EQ(d.light.ambient, 0.5f);
        EXPECT_FLOAT_EQ(d.light.spotlightRadius, 25.0f);
        EXPECT_EQ(d.light.godMode, 1);
        EXPECT_EQ(d.light.spotLight, 0);
        EXPECT_EQ(d.light.hasPlayer, 1);
        EXPECT_EQ(d.light.screenSpace, d.layer >= 8 ? 1 : 0);
        EXPECT_FLOAT_EQ(d.light.transparency, d.sprite == faded->Get<Sprite>() ? 0.25f : 1.0f);
        if (d.layer >= 8)
            EXPECT_EQ(d.view, glm::mat4(1.0f)) << "screen layers ignore the camera";
        else
            EXPECT_NE(d.view, glm::mat4(1.0f));
    }
    EXPECT_FLOAT_EQ(SpotlightRadius, 25.0f) << "no closing light without spotLight";
}

TEST_F(GraphicsPass, ClosingLightShrinksPerDrawnSpriteAndEndsTheLevel)
{
    Player* player = AddPlayer(0.0f, 0.0f);
    player->spotLight = true;
    EventManager::Get().ClearAll();
    draws.clear();
    GraphicsManager& graphics = GraphicsManager::Get();
    // The light shrinks in the player's update by what the frame before drew.
    auto frame = [&]
    {
        graphics.BeginFrame(1280, 720);
        player->Update();
        GameObjectManager::Get().DrawScene();
    };
    frame();
    EXPECT_FLOAT_EQ(SpotlightRadius, 25.0f) << "nothing was drawn before the first frame";
    const size_t n = draws.size();
    ASSERT_GT(n, 5u);
    EXPECT_FLOAT_EQ(draws[0].light.spotlightRadius, 25.0f);
    frame();
    EXPECT_NEAR(SpotlightRadius, 25.0f - 0.00016f * n, 1e-4f);
    EXPECT_FLOAT_EQ(draws.back().light.spotlightRadius, SpotlightRadius)
        << "a frame draws with one radius";
    EXPECT_EQ(PostedLevelEnds(), 0) << "no level end above radius 6";

    // Below 6 the level ends; the radius never goes below the first value at or under 1.
    SpotlightRadius = 1.0003f;
    frame();
    EXPECT_NEAR(SpotlightRadius, 1.0003f - 2 * 0.00016f, 1e-6f);
    EXPECT_EQ(PostedLevelEnds(), 1);
}

TEST_F(GraphicsPass, HeadlessTextsAreQueuedAndDrained)
{
    TextRenderer& text = TextRenderer::Get();
    EXPECT_EQ(text.Fonts.size(), 4u) << "fonts load without a GPU";
    TextRequest known;
    known.fontName = "Fonts/Serif_Bold.ttf";
    known.text = "hello";
    TextRequest unknown = known;
    unknown.fontName = "Fonts/Nope.ttf";
    text.QueueText(known);
    text.QueueText(unknown);
    int drawn = text.textsDrawn;
    testing::internal::CaptureStdout();
    text.DrawQueued();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Font Fonts/Nope.ttf not found"), std::string::npos);
    EXPECT_EQ(text.textsDrawn, drawn + 1);
    EXPECT_TRUE(text.TextQueue.empty());
    EXPECT_EQ(text.rasterised, 0) << "nothing is rasterised without a GPU";
    EXPECT_FALSE(GraphicsManager::Get().SaveScreenshot((root_ / "x.png").string()));

    // A frame's two passes: the texts under the curtain first, those over it after the curtain
    // is drawn; the second pass empties the queue.
    TextRequest over = known;
    over.overCurtain = true;
    text.QueueText(over);
    text.QueueText(known);
    drawn = text.textsDrawn;
    text.DrawQueuedPass(false);
    EXPECT_EQ(text.textsDrawn, drawn + 1);
    EXPECT_EQ(text.TextQueue.size(), 2u) << "the over-curtain text waits for its pass";
    text.DrawQueuedPass(true);
    EXPECT_EQ(text.textsDrawn, drawn + 2);
    EXPECT_TRUE(text.TextQueue.empty());
}
