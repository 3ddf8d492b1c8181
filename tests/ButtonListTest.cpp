// ButtonList on its own: reading a "Buttons" array and moving the selection with the stick.
#include <gtest/gtest.h>

#include "engine/core/InputManager.h"
#include "engine/objects/GameObject.h"
#include "game/GameNames.h"
#include "game/menus/ButtonList.h"
#include "game/menus/MenuActions.h"

namespace
{
ButtonList* Read(GameObject& owner, const char* json)
{
    static rapidjson::Document doc; // the views point into it while the test reads
    doc.Parse(json);
    auto* list = new ButtonList(&owner);
    owner.AddComponent(list);
    list->Deserialize(JsonView(&doc, "Test.json", "Buttons"));
    return list;
}
} // namespace

TEST(ButtonList, ReadsButtonsLeniently)
{
    GameObject owner;
    ButtonList* list = Read(owner, R"([
        {"Text": "Heading", "Active": "false"},
        {"Text": "Go", "Active": "true", "Position": [0.5, -0.25, 1], "Scale": [0.4, 0.1],
         "Color": [300, 20, -1], "UI": "true", "Hidden": "true", "ClickFunction": "QuitNo"},
        {"Text": "Capital", "Active": "True"},
        {"Active": "true", "ClickFunction": "NoSuchThing", "Position": [1, 2], "Font": 7},
        {"Active": true, "Text": ["not", "text"]},
        {"Active": "true", "ClickFunction": "MuteAll", "Text": "from the file"},
        "not an object"
    ])");
    ASSERT_EQ(list->activeButtons.size(), 3u);
    ASSERT_EQ(list->inactiveButtons.size(), 4u);
    const MenuButton& go = *list->activeButtons[0];
    EXPECT_EQ(go.index, 1u);
    EXPECT_EQ(go.position, glm::vec3(0.5f, -0.25f, 1.0f));
    EXPECT_EQ(go.scale, glm::vec3(0.4f, 0.1f, 1.0f));
    EXPECT_EQ(go.r, 44); // the low byte of 300
    EXPECT_EQ(go.b, 255);
    EXPECT_TRUE(go.ui && go.hidden);
    EXPECT_EQ(go.clickFunction, kClickBack);
    EXPECT_EQ(go.owner, list);
    const MenuButton& unknown = *list->activeButtons[1];
    EXPECT_EQ(unknown.clickFunction, kClickNewGame);
    EXPECT_EQ(unknown.position, glm::vec3(0.0f)); // too short: not read at all
    EXPECT_TRUE(unknown.font.empty());
    EXPECT_EQ(list->activeButtons[2]->text, "Mute All Audio"); // from the flags, not the file
    EXPECT_EQ(list->inactiveButtons[1]->text, "Capital");
    EXPECT_TRUE(list->inactiveButtons[2]->text.empty());
    EXPECT_EQ(list->selectedIndex, -1);
    // A second read replaces the buttons; a non-array leaves them.
    list->Deserialize(JsonView());
    EXPECT_EQ(list->activeButtons.size(), 3u);
    Read(owner, "[]");
    EXPECT_EQ(owner.Get<ButtonList>()->activeButtons.size(), 3u); // the first list is untouched
}

TEST(ButtonList, StickAndPadMoveTheSelectionWithRepeat)
{
    GameObject owner;
    ButtonList* list = Read(owner, R"([{"Active": "true", "Hidden": "true"},
        {"Active": "true", "Hidden": "true"}, {"Active": "true", "Hidden": "true"}])");
    InputManager& in = InputManager::Get();
    struct Step
    {
        float leftY, rightY;
        int frames;
        int expect;
    };
    // Down from none goes to the first; up from the first wraps to the last; holding repeats
    // every 200 ms (13 frames of 16 ms); back at exactly 0 the next push moves at once.
    const Step steps[] = {
        {-15, 0, 1, 0}, {-15, 0, 12, 0}, {-15, 0, 1, 1}, {0, 0, 1, 1},   {-15, 0, 1, 2},
        {0, 0, 1, 2},   {-15, 0, 1, 0},  {0, 0, 1, 0},   {15, 0, 1, 2},  {0, 0, 1, 2},
        {0, 15, 1, 1},  {0, 5, 20, 1},   {0, 0, 1, 1},   {0, -15, 1, 2},
    };
    int n = 0;
    for (const Step& s : steps)
    {
        in.leftStickY = s.leftY;
        in.rightStickY = s.rightY;
        for (int f = 0; f < s.frames; ++f) list->Update();
        EXPECT_EQ(list->selectedIndex, s.expect) << "step " << n;
        ++n;
    }
    in.leftStickY = in.rightStickY = 0;
    // No active buttons: up keeps -1, down gives 0.
    GameObject empty;
    ButtonList* none = Read(empty, R"([{"Text": "only a heading"}])");
    in.leftStickY = 15;
    none->Update();
    EXPECT_EQ(none->selectedIndex, -1);
    in.leftStickY = 0;
    none->Update();
    in.leftStickY = -15;
    none->Update();
    EXPECT_EQ(none->selectedIndex, 0);
    in.leftStickY = 0;
}
