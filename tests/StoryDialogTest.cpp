// Dialog boxes and their triggers: pages from files, paging by every confirm input, Escape's
// skip, the frozen player, the playback a finished dialog starts, and the trigger's one shot.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/InputManager.h"
#include "engine/data/Json.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameNames.h"
#include "game/player/PlayerController.h"
#include "game/story/DialogBox.h"
#include "game/story/RecordAndPlay.h"
#include "tests/Harness.h"
#include "tests/StoryFixtures.h"
#include "tests/TestSupport.h"

namespace
{
using namespace StoryFixtures;

struct PageCase
{
    const char* text;
    size_t pages;
    const char* lastText;
    float lastScaleX;
};

GameObject* FindIn(int layer, const char* name)
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(layer,
                                           [&](GameObject& o)
                                           {
                                               if (o.name == name) found = &o;
                                           });
    return found;
}
} // namespace

TEST(DialogPages, PairsOfLinesWithTheirMends)
{
    const PageCase cases[] = {
        {"One\n0.5 0.1\nTwo\n0.6 0.1\n", 2, "Two", 0.6f},         // final LF: no extra page
        {"One\r\n0.5 0.1\r\nTwo\r\n0.7 0.1\r\n", 2, "Two", 0.7f}, // CRs dropped
        {"One\n0.5 0.1\nTail", 2, "Tail", 4 * 0.022f},            // no scale line: readable
        {"Bad scale\nwide\n", 1, "Bad scale", 9 * 0.022f},        // unreadable: readable
        {"", 0, "", 0.0f},
    };
    for (const PageCase& c : cases)
    {
        DialogBox box(nullptr);
        box.AddPages(c.text);
        ASSERT_EQ(box.pages.size(), c.pages) << c.text;
        if (!c.pages) continue;
        EXPECT_EQ(box.pages.back().text, c.lastText);
        EXPECT_FLOAT_EQ(box.pages.back().scale.x, c.lastScaleX) << c.text;
        EXPECT_FLOAT_EQ(box.pages.back().position.y, -0.85f);
    }
}

TEST(DialogRun, EveryConfirmInputPagesEscapeSkipsAndTheEndStartsThePlayback)
{
    const std::string level =
        Hero(3, 3.5f, R"({"PlayList": ["Short.json"]})") + "," + Entry("GuardDialog.json");
    auto root = MakeRoot("dialog", {{"GuardCutscene.json", level}, {"RobotCutscene.json", level}});
    TestSupport::WriteText(root, "GameData/Record/Short.json", "[[0,0,0,0,0,0],[500,0,0,0,0,0]]");
    HeadlessGame game(root, "GuardCutscene.json");
    ASSERT_EQ(game.status(), 0);
    GameObject* boxObj = FindIn(kLayerHud, "GuardDialog.json");
    ASSERT_NE(boxObj, nullptr);
    DialogBox* box = boxObj->Get<DialogBox>();
    ASSERT_EQ(box->pages.size(), 4u);
    GameObject* hero = GameObjectManager::Get().Player();
    game.Frames(1);
    ASSERT_TRUE(hero->Get<PlayerController>()->Frozen) << "a visible dialog holds the player";

    game.Tap("Return");
    game.Frames(1);
    EXPECT_EQ(box->pageIndex, 1u);
    Send::MouseButton(true);
    game.KeyDown("Return"); // the same frame as the click: still one page
    game.Frames(1);
    game.KeyUp("Return");
    Send::MouseButton(false);
    EXPECT_EQ(box->pageIndex, 2u);
    Send::PadButton(SDL_CONTROLLER_BUTTON_A, true);
    game.Frames(1);
    EXPECT_EQ(box->pageIndex, 3u);
    Send::PadButton(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_TRUE(boxObj->Get<Sprite>()->Active);
    game.Tap("Space");
    EXPECT_EQ(box->pageIndex, 4u);
    EXPECT_FALSE(boxObj->Get<Sprite>()->Active);
    EXPECT_FALSE(hero->Get<PlayerController>()->Frozen) << "event 17 frees the player";
    EXPECT_TRUE(hero->Get<RecordAndPlay>()->IsPlaying()) << "CallAutoPlay posts 15";

    // On a level that cannot pause, Escape ends the dialog on its first page.
    LevelManager::Get().NextLevel();
    game.Frames(1);
    boxObj = FindIn(kLayerHud, "GuardDialog.json");
    ASSERT_NE(boxObj, nullptr);
    game.Tap("Escape");
    EXPECT_EQ(boxObj->Get<DialogBox>()->pageIndex, 4u);
    EXPECT_FALSE(boxObj->Get<Sprite>()->Active);
    EXPECT_FALSE(GameObjectManager::Get().paused);
}

TEST(DialogTriggerTouch, OnlyThePlayerOnceAndTheLaterBoxOfTheName)
{
    GameObjectManager& objects = GameObjectManager::Get();
    objects.Reset();
    GameObject* boxes[2];
    for (GameObject*& b : boxes)
    {
        b = objects.CreateObject(kTypeDialog);
        b->name = "Talk.json";
        Sprite* s = new Sprite(b);
        s->Active = false;
        b->AddComponent(s);
    }
    GameObject* zone = objects.CreateObject(kTypeDialogTrigger);
    auto* trigger = new DialogTrigger(zone);
    zone->AddComponent(trigger);
    rapidjson::Document doc;
    ParseJson(R"({"DialogFile": "Talk.json"})", doc, nullptr);
    trigger->Deserialize(JsonView(&doc, "t"));
    GameObject* guard = objects.CreateObject(kTypeGuard);
    GameObject* player = objects.CreateObject(kTypePlayer);
    guard->type = kTypeGuard;
    player->type = kTypePlayer;

    trigger->OnCollision(guard);
    EXPECT_FALSE(trigger->triggered);
    trigger->OnCollision(player);
    EXPECT_TRUE(trigger->triggered);
    EXPECT_FALSE(boxes[0]->Get<Sprite>()->Active);
    EXPECT_TRUE(boxes[1]->Get<Sprite>()->Active);
    boxes[1]->Get<Sprite>()->Active = false;
    trigger->OnCollision(player);
    EXPECT_FALSE(boxes[1]->Get<Sprite>()->Active) << "a trigger fires once";

    // A box whose slot was released and handed on is left alone.
    trigger->triggered = false;
    objects.DestroyObject(boxes[1]);
    GameObject* other = objects.CreateObject(kTypeDialog);
    ASSERT_EQ(other, boxes[1]);
    other->name = "Other.json";
    auto* otherSprite = new Sprite(other);
    otherSprite->Active = false;
    other->AddComponent(otherSprite);
    trigger->OnCollision(player);
    EXPECT_FALSE(otherSprite->Active);
}

// A level's "TextFile" read over its archetype's replaces the pages: the level's dialog shows its
// own text only, and a saved dialog read back over its archetype shows each page once.
TEST(DialogPages, ATextFileReadAgainReplacesThePages)
{
    HeadlessGame game(TestSupport::ShippedData(), "Level1.json");
    DialogBox box(nullptr);
    for (const char* file : {"GameData/Dialog/MovingFloors.txt", "GameData/Dialog/Ending.txt",
                             "GameData/Dialog/Ending.txt"})
    {
        rapidjson::Document doc;
        ASSERT_TRUE(ParseJson(std::string(R"({"TextFile": ")") + file + "\"}", doc, nullptr));
        box.Deserialize(JsonView(&doc, "level"));
    }
    ASSERT_EQ(box.pages.size(), 3u);
    EXPECT_EQ(box.pages.front().text.rfind("WREN: The Bellwether core", 0), 0u);
}
