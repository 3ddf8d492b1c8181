// Dialog boxes and their triggers: pages from files, paging by every confirm input, Escape's
// skip, the frozen player, the playback a finished dialog starts, and the trigger's one shot.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/InputManager.h"
#include "engine/data/Json.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
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

TEST(DialogPages, LongLinesWrapEvenlyAtSpaces)
{
    const struct
    {
        const char* text;
        size_t maxChars;
        std::vector<std::string> lines;
    } cases[] = {
        {"Short enough.", 20, {"Short enough."}},
        {"one two three four five six", 20, {"one two three", "four five six"}},
        {"aaaa bbbb cccc dddd eeee ffff gggg", 12, {"aaaa bbbb", "cccc dddd", "eeee ffff", "gggg"}},
        {"unbreakablewordthatislong tail", 10, {"unbreakablewordthatislong", "tail"}},
        {"   ", 1, {""}},
    };
    for (const auto& c : cases)
    {
        const std::vector<std::string> lines = WrapDialogLine(c.text, c.maxChars);
        if (std::string(c.text).find_first_not_of(' ') == std::string::npos)
        {
            EXPECT_EQ(lines.size(), 1u) << "blank text stays one (empty) line";
            continue;
        }
        EXPECT_EQ(lines, c.lines) << c.text;
        for (const std::string& l : lines)
        {
            if (l.find(' ') != std::string::npos)
            {
                EXPECT_LE(l.size(), c.maxChars) << c.text;
            }
        }
    }
}

TEST(DialogPages, ThePageFitsTheScreenBesideItsSpeakersPortrait)
{
    HeadlessGame game(TestSupport::ShippedData(), "RobotCutscene.json");
    ASSERT_EQ(game.status(), 0);
    GameObject* boxObj = FindIn(kLayerHud, "RobotDialog.json");
    ASSERT_NE(boxObj, nullptr);
    DialogBox* box = boxObj->Get<DialogBox>();
    const Transform* t = boxObj->Get<Transform>();
    ASSERT_TRUE(box && t);
    ASSERT_EQ(box->pages.size(), 4u);
    const float boxLeft = t->position.x - t->scale.x / 2, boxRight = t->position.x + t->scale.x / 2;
    const float boxBottom = t->position.y - t->scale.y / 2, boxTop = t->position.y + t->scale.y / 2;
    // The portrait takes the left fifth of the panel: text stays right of it and inside.
    const float textLeft = boxLeft + t->scale.x * 0.22f;
    const int speakers[] = {1, 1, 3, 1}; // WREN, WREN, UNIT 07, WREN
    for (size_t i = 0; i < box->pages.size(); ++i)
    {
        const std::vector<TextRequest> lines = box->LayOutPage(box->pages[i]);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.size(), box->pages[i].text.size() > 70 ? 2u : 1u) << box->pages[i].text;
        for (const TextRequest& l : lines)
        {
            EXPECT_GE(l.position.x - l.scale.x / 2, textLeft) << l.text;
            EXPECT_LE(l.position.x + l.scale.x / 2, boxRight) << l.text;
            EXPECT_GE(l.position.y - l.scale.y / 2, boxBottom) << l.text;
            EXPECT_LE(l.position.y + l.scale.y / 2, boxTop) << l.text;
        }
        EXPECT_EQ(box->SpeakerSlot(box->pages[i].text), speakers[i]) << box->pages[i].text;
    }
    EXPECT_EQ(box->SpeakerSlot("WRENCH: no"), 0) << "a name is followed by its colon";
    EXPECT_EQ(box->SpeakerSlot("Credits line"), 0);

    // On screen: the first page shows WREN's panel, the third the robot's, and the skip prompt
    // sits inside the box.
    game.Frames(2);
    Sprite* sprite = boxObj->Get<Sprite>();
    ASSERT_TRUE(sprite->Active);
    EXPECT_EQ(sprite->TextureSlot, 1);
    for (int i = 0; i < 2; ++i)
    {
        game.Tap("Return");
        game.Frames(1);
    }
    EXPECT_EQ(box->pageIndex, 2u);
    EXPECT_EQ(sprite->TextureSlot, 3);
    const TextRequest& prompt = box->skipPrompt;
    EXPECT_GE(prompt.position.y - prompt.scale.y / 2, boxBottom + 0.02f) << "clear of the frame";
    EXPECT_LE(prompt.position.x + prompt.scale.x / 2, boxRight - 0.02f);
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
