// Moving floors carrying the player, timed texts with their wording, and the two-picture sign.
#include <gtest/gtest.h>

#include "engine/core/InputManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"
#include "game/story/MovingFloor.h"
#include "game/story/TimedText.h"
#include "game/story/ZentoTech.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"

namespace
{
using namespace StoryFixtures;

template <typename C> C* Lone(const char* json, bool withSprite = false)
{
    GameObjectManager::Get().Reset();
    GameObject* obj = GameObjectManager::Get().CreateObject(kTypeDefault);
    obj->AddComponent(new Transform(obj));
    if (withSprite) obj->AddComponent(new Sprite(obj));
    C* c = new C(obj);
    obj->AddComponent(c);
    rapidjson::Document doc;
    ParseJson(json, doc, nullptr);
    c->Deserialize(JsonView(&doc, "t"));
    return c;
}

GameObject* FloorObject()
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerGameplay, [&](GameObject& o)
                                           { found = o.Get<MovingFloor>() ? &o : found; });
    return found;
}
} // namespace

// One engine per process: each direction is its own test.
static void Ride(int direction)
{
    {
        const std::string floor = Entry(
            "MovingFloor.json", R"({"MovingFloor": {"StartPosition": [10, 6, 0], "MoveTime": 4000,
                "MoveSpeed": 0.002, "Direction": )" +
                                    std::to_string(direction) + "}}");
        auto root = MakeRoot("floor", {{"Floor.json", Hero(10, 7.4f) + "," + floor}});
        HeadlessGame game(root, "Floor.json");
        ASSERT_EQ(game.status(), 0);
        game.Frames(15); // land on it
        Transform* floorT = FloorObject()->Get<Transform>();
        Transform* hero = GameObjectManager::Get().Player()->Get<Transform>();
        const glm::vec3 floor0 = floorT->position, hero0 = hero->position;
        game.Frames(20);
        const glm::vec3 moved = floorT->position - floor0;
        EXPECT_GT(glm::length(moved), 0.5f) << direction;
        EXPECT_NEAR(hero->position.x - hero0.x, moved.x, 0.01f) << direction;
        EXPECT_NEAR(hero->position.y - hero0.y, moved.y, 0.01f) << direction;
        EXPECT_NEAR(hero->position.y - floorT->position.y, 0.25f + 1.0f, 0.01f) << "on top";
    }
}

TEST(MovingFloorRide, CarriesThePlayerAlongX)
{
    Ride(0);
}

TEST(MovingFloorRide, CarriesThePlayerAlongY)
{
    Ride(90);
}

TEST(MovingFloorTimer, ShortOrNegativeTimesNeverWrapTheTimer)
{
    for (const char* json : {R"({"MoveTime": 0, "StayTime": 0})", R"({"MoveTime": -5})",
                             R"({"MoveTime": 10, "StayTime": 3})"})
    {
        MovingFloor* f = Lone<MovingFloor>(json);
        for (int i = 0; i < 300; ++i) f->Update();
        EXPECT_LE(f->timer, 1000u) << json;
        EXPECT_LT(std::abs(f->owner->Get<Transform>()->position.x), 0.1f) << json;
    }
}

TEST(TimedTextShow, DelayThenTimerAndTheWordingFollowsTheController)
{
    TimedText* t = Lone<TimedText>(
        R"({"Text": "A And D To Move", "Delay": 1000, "Timer": 2000, "UI": "true"})");
    TextRenderer& text = TextRenderer::Get();
    int first = -1, shown = 0;
    for (int i = 0; i < 400; ++i)
    {
        text.ClearQueue();
        if (i == 100) InputManager::Get().controllerConnected = true;
        if (i == 150) InputManager::Get().controllerConnected = false;
        t->Update();
        if (text.TextQueue.empty()) continue;
        if (first < 0) first = i;
        ++shown;
        const char* want = i >= 100 && i < 150 ? "Left Stick To Move" : "A And D To Move";
        EXPECT_EQ(text.TextQueue[0].text, want) << i;
        EXPECT_TRUE(text.TextQueue[0].screenSpace);
    }
    EXPECT_EQ(first, 63) << "the frame the delay runs out draws nothing";
    EXPECT_EQ(shown, 125);
    const struct
    {
        const char* in;
        bool controller, hidden;
        const char* out;
    } words[] = {
        {"Press W To Hide", true, false, "Press A To Hide"},
        {"Press W To Hide", false, true, "Press S To Unhide"},
        {"Press S To Unhide", false, false, "Press W To Hide"},
        {"Press A To Hide", true, true, "Press A To Unhide"},
        {"Use Mouse To Aim", true, false, "Right Stick To Aim"},
        {"Left Bumper To Throw ZentoBall", false, false, "Right Click To Throw ZentoBall"},
        {"LEVEL COMPLETE", true, true, "LEVEL COMPLETE"},
    };
    for (const auto& w : words)
        EXPECT_EQ(TimedText::Reworded(w.in, w.controller, w.hidden, true), w.out) << w.in;
}

TEST(ZentoTechSign, SwitchesEveryThreeSecondsUnlessTheStateIsUnknown)
{
    ZentoTech* z = Lone<ZentoTech>("{}", true);
    Sprite* s = z->owner->Get<Sprite>();
    EXPECT_EQ(s->TextureSlot, 0);
    for (int i = 0; i < 188; ++i) z->Update();
    EXPECT_EQ(s->TextureSlot, 0);
    z->Update();
    EXPECT_EQ(s->TextureSlot, 1);
    EXPECT_EQ(s->AnimationIndex, 1);
    for (int i = 0; i < 188; ++i) z->Update();
    EXPECT_EQ(s->TextureSlot, 0);
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    w.StartObject();
    z->Serialize(w);
    w.EndObject();
    EXPECT_NE(std::string(buffer.GetString()).find("\"InitialState\": 1"), std::string::npos);

    z = Lone<ZentoTech>(R"({"InitialState": 2})", true);
    for (int i = 0; i < 500; ++i) z->Update();
    EXPECT_EQ(z->owner->Get<Sprite>()->TextureSlot, 0);
}
