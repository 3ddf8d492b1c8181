// Menus driven as a player drives them: keyboard, mouse and controller through the pause menu,
// its confirmations and the options, on a small data root of menu files.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameNames.h"
#include "game/menus/ButtonList.h"
#include "game/menus/MenuActions.h"
#include "game/menus/MenuNotice.h"
#include "tests/Harness.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace
{
struct B
{
    const char* text;
    const char* function; // nullptr: a heading
    float y;
};

std::string MenuJson(const std::string& name, std::initializer_list<B> buttons)
{
    std::ostringstream s;
    s << R"({"Name": ")" << name << R"(", "Type": "MENU", "Transform": {"Scale": [2, 2]},
        "Sprite": {"Static": "true"}, "Buttons": [)";
    bool first = true;
    for (const B& b : buttons)
    {
        s << (first ? "" : ",") << R"({"Position": [0, )" << b.y
          << R"(, 0], "Scale": [0.6, 0.1], "Font": "Fonts/Facet_Regular.ttf", "Text": ")" << b.text
          << R"(", "UI": "true", "Color": [20, 30, 40], "Active": ")"
          << (b.function ? "true" : "false") << "\"";
        if (b.function) s << R"(, "ClickFunction": ")" << b.function << "\"";
        s << "}";
        first = false;
    }
    s << "]}";
    return s.str();
}

const char* const kMenus[] = {"PauseMenu.json", "OptionsMenu.json", "ConfirmQuitMenu.json",
                              "ConfirmSaveMenu.json", "ControlsMenu.json"};

// The mini root's levels, each holding every menu; the title level also has a title object.
fs::path MenuRoot(fs::path& home)
{
    TestSupport::UseTempPrefFolder("menuhome", home);
    fs::path root = TestSupport::MakeMiniDataRoot("menus");
    auto write = [&](const std::string& name, const std::string& text)
    { TestSupport::WriteText(root, "GameData/GameObjects/" + name, text); };
    write("PauseMenu.json", MenuJson("PauseMenu.json", {{"Paused", nullptr, 0.6f},
                                                        {"Resume", "Resume", 0.4f},
                                                        {"Options", "Options", 0.2f},
                                                        {"Save", "SaveGame", 0.0f},
                                                        {"Quit", "Quit", -0.2f}}));
    write("OptionsMenu.json", MenuJson("OptionsMenu.json", {{"Options", nullptr, 0.6f},
                                                            {"", "MuteMusic", 0.4f},
                                                            {"", "MuteAll", 0.2f},
                                                            {"", "ToggleFullScreen", 0.0f},
                                                            {"Back", "Back", -0.2f}}));
    write("ConfirmQuitMenu.json",
          MenuJson("ConfirmQuitMenu.json",
                   {{"Quit?", nullptr, 0.3f}, {"Yes", "QuitYes", 0.1f}, {"No", "QuitNo", -0.1f}}));
    write("ConfirmSaveMenu.json",
          MenuJson("ConfirmSaveMenu.json", {{"Yes", "SaveYes", 0.1f}, {"No", "Back", -0.1f}}));
    write("ControlsMenu.json", MenuJson("ControlsMenu.json", {{"Back", "Back", -0.8f}}));
    std::string entries;
    for (const char* m : kMenus) entries += R"(, {"Name": ")" + std::string(m) + R"("})";
    for (const char* level : {"Play.json", "Last.json"})
    {
        std::string path = "GameData/Levels/" + std::string(level);
        std::string text = TestSupport::ReadText(root / path);
        text.insert(text.rfind(']'), entries);
        TestSupport::WriteText(root, path, text);
    }
    return root;
}

GameObject* Menu(const std::string& name)
{
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerMenu, [&](GameObject& o)
                                           { found = o.name == name ? &o : found; });
    return found;
}

ButtonList* List(const std::string& name)
{
    GameObject* m = Menu(name);
    return m ? m->Get<ButtonList>() : nullptr;
}

// The menus whose buttons show, in slot order.
std::vector<std::string> Shown()
{
    std::vector<std::string> names;
    GameObjectManager::Get().ForEachActive(kLayerMenu,
                                           [&](GameObject& o)
                                           {
                                               ButtonList* l = o.Get<ButtonList>();
                                               if (l && l->Shown()) names.push_back(o.name);
                                           });
    return names;
}

void Inject(SDL_Event e)
{
    InputManager::Get().Inject(e);
}

// Moves the mouse onto a point in device coordinates of the 1280x720 headless window.
void MouseTo(float x, float y)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<int>((x + 1.0f) * 640.0f);
    e.motion.y = static_cast<int>((1.0f - y) * 360.0f);
    Inject(e);
}

// A key pressed for a frame and released for a frame, as fingers do.
void Press(HeadlessGame& game, const char* key)
{
    game.Tap(key);
    game.Frames(1);
}

struct MenuFlow : testing::Test
{
    void SetUp() override { root = MenuRoot(home); }
    void TearDown() override
    {
        fs::remove_all(root);
        fs::remove_all(home);
    }
    fs::path home, root;
};
} // namespace

TEST_F(MenuFlow, KeyboardPausesMutesSavesAndResumes)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    game.Frames(2);
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"}); // ready for the next pause
    Press(game, "Escape");
    game.Frames(1);
    ASSERT_TRUE(GameObjectManager::Get().paused);
    EXPECT_TRUE(Menu("PauseMenu.json")->Get<Sprite>()->Active);
    EXPECT_FALSE(Menu("OptionsMenu.json")->Get<Sprite>()->Active);
    EXPECT_EQ(List("PauseMenu.json")->selectedIndex, 0);
    // Resume, Options: one step down, then Return opens the options and nothing more.
    Press(game, "Down");
    Press(game, "Return");
    EXPECT_EQ(Shown(), std::vector<std::string>{"OptionsMenu.json"});
    EXPECT_EQ(List("OptionsMenu.json")->selectedIndex, 0);
    EXPECT_FALSE(AudioSettings::Get().muteMusic);
    // The toggles' labels come from the flags, not from the file.
    EXPECT_EQ(List("OptionsMenu.json")->activeButtons[0]->text, "Mute Music");
    Press(game, "Return");
    EXPECT_TRUE(AudioSettings::Get().muteMusic);
    EXPECT_EQ(List("OptionsMenu.json")->activeButtons[0]->text, "Unmute Music");
    EXPECT_NE(TestSupport::ReadText(fs::path(Engine::Get().prefPath) / "settings.json")
                  .find("\"MuteMusic\": true"),
              std::string::npos);
    // Back (wraps up from the first) returns to the pause menu, still paused.
    Press(game, "Up");
    Press(game, "Return");
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"});
    EXPECT_TRUE(GameObjectManager::Get().paused);
    // Save, then yes: the save is written and the pause menu is back.
    Press(game, "Down");
    Press(game, "Down");
    Press(game, "Return");
    EXPECT_EQ(Shown(), std::vector<std::string>{"ConfirmSaveMenu.json"});
    Press(game, "Return");
    EXPECT_TRUE(fs::exists(LevelManager::Get().SavePath()));
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"});
    Press(game, "Return"); // Resume
    EXPECT_FALSE(GameObjectManager::Get().paused);
    // To another level; loading brings the saved one back, unpaused, pause menu ready.
    LevelManager::Get().GoToLastLevel();
    game.Frames(2);
    ASSERT_EQ(LevelManager::Get().GetCurrentLevelName(), "Last.json");
    MenuButton load;
    RunClickFunction(kClickLoadGame, load);
    game.Frames(2);
    EXPECT_EQ(LevelManager::Get().GetCurrentLevelName(), "Play.json");
    EXPECT_FALSE(GameObjectManager::Get().paused);
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"});
}

TEST_F(MenuFlow, MouseHoverWithAHeadingSelectsTheButtonUnderIt)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    Press(game, "Escape");
    game.Frames(1);
    ButtonList* pause = List("PauseMenu.json");
    ASSERT_EQ(pause->activeButtons.size(), 4u);
    // The last button ("Quit", file index 4 behind the heading) can be hovered.
    MouseTo(0.0f, -0.2f);
    game.Frames(1);
    EXPECT_EQ(pause->selectedIndex, 3);
    EXPECT_TRUE(pause->activeButtons[3]->selected);
    EXPECT_GT(TextRenderer::Get().textsDrawn, 0);
    // "Options" under the mouse, not the one after it.
    MouseTo(0.1f, 0.22f);
    game.Frames(1);
    EXPECT_EQ(pause->selectedIndex, 1);
    EXPECT_FALSE(pause->activeButtons[3]->selected);
    game.Click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"OptionsMenu.json"});
    // A click outside every button presses the selected one: the options' first (0 after show)
    // is selected only by the mouse, so nothing happens until one is hovered.
    MouseTo(0.9f, 0.9f);
    game.Click();
    EXPECT_FALSE(AudioSettings::Get().muteMusic);
}

TEST_F(MenuFlow, QuitRequestConfirmsThroughTheMenuAndControllerAnswers)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    game.ConnectController();
    game.Frames(1);
    SDL_Event quit;
    std::memset(&quit, 0, sizeof quit);
    quit.type = SDL_QUIT;
    Inject(quit);
    game.Frames(1);
    ASSERT_TRUE(Engine::Get().running);
    EXPECT_TRUE(GameObjectManager::Get().paused);
    EXPECT_EQ(Shown(), std::vector<std::string>{"ConfirmQuitMenu.json"});
    // D-pad down to "No" (the pad's press shows one frame after the button goes up), then A.
    game.Pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(List("ConfirmQuitMenu.json")->selectedIndex, 1);
    EXPECT_TRUE(List("ConfirmQuitMenu.json")->activeButtons[1]->selected);
    game.Pad(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"});
    EXPECT_TRUE(GameObjectManager::Get().paused);
    // Quit from the pause menu: down three, A, then A on "Yes" ends the run.
    for (int i = 0; i < 3; ++i) game.Pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    game.Pad(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Shown(), std::vector<std::string>{"ConfirmQuitMenu.json"});
    game.Pad(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(Engine::Get().running);
}

TEST_F(MenuFlow, ControlsShowThePictureOfTheDeviceInUse)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    MenuButton b;
    RunClickFunction(kClickControls, b);
    EXPECT_EQ(Menu("ControlsMenu.json")->Get<Sprite>()->TextureSlot, 1); // keyboard
    EXPECT_EQ(Shown(), std::vector<std::string>{"ControlsMenu.json"});
    EXPECT_TRUE(Engine::Get().menuActionPending);
    game.ConnectController();
    game.Frames(1);
    RunClickFunction(kClickControls, b);
    EXPECT_EQ(Menu("ControlsMenu.json")->Get<Sprite>()->TextureSlot, 0); // controller
    RunClickFunction(99, b); // outside the table: nothing
    RunClickFunction(-1, b);
}

TEST_F(MenuFlow, ARestingPointerLeavesTheKeysAloneAndEveryAnswerShows)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    // Load Game with nothing saved: a line says so and nothing reloads.
    MenuButton load;
    RunClickFunction(kClickLoadGame, load);
    EXPECT_EQ(CurrentMenuNotice(), "No saved game");
    EXPECT_FALSE(LevelManager::Get().levelChangePending);
    EXPECT_FALSE(LevelManager::Get().loadFromSave);
    Press(game, "Escape");
    game.Frames(1);
    ButtonList* pause = List("PauseMenu.json");
    // Moving onto "Quit" chooses it; resting there, Up still moves the selection, for good.
    MouseTo(0.0f, -0.2f);
    game.Frames(1);
    EXPECT_EQ(pause->selectedIndex, 3);
    Press(game, "Up");
    game.Frames(3);
    EXPECT_EQ(pause->selectedIndex, 2);
    EXPECT_TRUE(pause->activeButtons[2]->selected);
    EXPECT_FALSE(pause->activeButtons[3]->selected);
    // Return presses the selection ("Save"), not the button under the pointer; yes: saved.
    Press(game, "Return");
    EXPECT_EQ(Shown(), std::vector<std::string>{"ConfirmSaveMenu.json"});
    Press(game, "Return");
    EXPECT_EQ(Shown(), std::vector<std::string>{"PauseMenu.json"});
    EXPECT_EQ(CurrentMenuNotice(), "Game saved");
    // The line stays two seconds while the menu is up, then goes.
    game.Frames(100);
    EXPECT_EQ(CurrentMenuNotice(), "Game saved");
    game.Frames(40);
    EXPECT_EQ(CurrentMenuNotice(), "");
    // A click still presses the button under the resting pointer.
    EXPECT_EQ(pause->selectedIndex, 0);
    game.Click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"ConfirmQuitMenu.json"});
}

TEST_F(MenuFlow, VolumesStepByTenthsAndTheMutesGiveThemBack)
{
    HeadlessGame game(root, "Play.json");
    ASSERT_EQ(game.status(), 0);
    AudioSettings& audio = AudioSettings::Get();
    MenuButton music, effects;
    music.clickFunction = kClickMusicVolume;
    effects.clickFunction = kClickEffectsVolume;
    // A press steps up and wraps past full; left and right stop at the ends.
    RunClickFunction(kClickMusicVolume, music);
    EXPECT_EQ(audio.MusicPercent(), 0);
    EXPECT_EQ(music.text, "Music Volume:   0%");
    StepSetting(music, -1);
    EXPECT_EQ(audio.MusicPercent(), 0);
    StepSetting(music, +1);
    StepSetting(music, +1);
    EXPECT_EQ(music.text, "Music Volume:  20%");
    StepSetting(effects, +1);
    EXPECT_EQ(audio.EffectsPercent(), 100);
    StepSetting(effects, -1);
    EXPECT_EQ(effects.text, "Effects Volume:  90%");
    // Every effect is scaled; muting all silences it and unmuting gives the chosen level back.
    EXPECT_EQ(audio.EffectVolume(100), 90);
    MenuButton muteAll;
    RunClickFunction(kClickMuteAll, muteAll);
    EXPECT_EQ(audio.EffectVolume(100), 0);
    EXPECT_EQ(audio.EffectsPercent(), 90);
    RunClickFunction(kClickMuteAll, muteAll);
    EXPECT_EQ(audio.EffectVolume(100), 90);
    std::string saved = TestSupport::ReadText(fs::path(Engine::Get().prefPath) / "settings.json");
    EXPECT_NE(saved.find("\"MusicVolume\": 20"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"EffectsVolume\": 90"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"MuteAll\": false"), std::string::npos) << saved;
}
