// Writes the menu archetypes. Every label's click box is the size the game draws the label at,
// measured with the same font, so no label is stretched.
#include "art/MenuArt.h"
#include "data/JsonOut.h"
#include "data/MenuLayout.h"
#include "data/MenuText.h"
#include "game/GameNames.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

using namespace gen;

namespace
{
// The names a menu file gives are the game's own (game/GameNames.h): a name the game does not
// know would make a menu it cannot use, so generation stops there.
const char* GameName(const char* name, bool isType)
{
    if (isType)
    {
        for (const TypeRow& row : kObjectTypes)
            if (std::strcmp(name, row.name) == 0) return name;
    }
    else
    {
        for (const ClickName& c : kClickNames)
            if (std::strcmp(name, c.name) == 0) return name;
    }
    std::fprintf(stderr, "generate: \"%s\" is not %s of the game (game/GameNames.h)\n", name,
                 isType ? "an object type" : "a click function");
    std::exit(1);
}

const char* const kMono = "Fonts/Pixel_Countdown.ttf";
const char* const kTitleFont = "Fonts/EraserRegular.ttf";
const int kInk[3] = {24, 28, 64};
const int kHeadingInk[3] = {70, 40, 110};

struct Label
{
    std::string text;
    const char* function; // nullptr: a heading or a line of text
    float x, y, height;   // centre and line height in picture pixels
    bool titleFace = false;
    std::string widthOf; // measure this text instead (toggles: their longer label)
};

struct Fonts
{
    TtfFont mono, title;
};

Json ButtonJson(const Label& l, const Fonts& fonts, bool hidden, JsonAlloc& a)
{
    const TtfFont& font = l.titleFace ? fonts.title : fonts.mono;
    const float aspect = font.Aspect(l.widthOf.empty() ? l.text : l.widthOf);
    const float w = aspect * l.height * 2.0f / kMenuW, h = l.height * 2.0f / kMenuH;
    const int* ink = l.function ? kInk : kHeadingInk;
    Json color(rapidjson::kArrayType);
    for (int i = 0; i < 3; ++i) color.PushBack(ink[i], a);
    JsonObject b(a);
    b.Add("Position", NumArray({NdcX(l.x), NdcY(l.y), 0}, a))
        .Add("Scale", NumArray({w, h}, a))
        .Add("Direction", 0)
        .Add("Font", l.titleFace ? kTitleFont : kMono)
        .Add("Color", std::move(color))
        .Add("Text", l.text)
        .Add("Active", l.function ? "true" : "false")
        .Add("UI", "true")
        .Add("Hidden", hidden ? "true" : "false");
    if (l.function) b.Add("ClickFunction", GameName(l.function, false));
    return b.Take();
}

// The menus' pictures fill the window: a unit square drawn at scale 2 in device coordinates.
Json SpriteJson(const std::vector<std::string>& textures, bool active, JsonAlloc& a)
{
    JsonObject s(a);
    s.Add("Static", "true");
    if (!active) s.Add("Active", "false");
    s.Add("Mesh",
          JsonObject(a)
              .Add("VertexNumber", 6)
              .Add("CoordsPerVertex", 9)
              .Add("CoordsPerPos", 3)
              .Add("CoordsPerColor", 4)
              .Add("Data",
                   NumArray({0.5,  -0.5, 0, 1, 1, 1, 1, 1, 0, -0.5, -0.5, 0, 1, 1, 1, 1, 0, 0,
                             -0.5, 0.5,  0, 1, 1, 1, 1, 0, 1, 0.5,  -0.5, 0, 1, 1, 1, 1, 1, 0,
                             0.5,  0.5,  0, 1, 1, 1, 1, 1, 1, -0.5, 0.5,  0, 1, 1, 1, 1, 0, 1},
                            a))
              .Take());
    s.Add("TextureNumber", static_cast<int>(textures.size()));
    Json list(rapidjson::kArrayType);
    for (size_t i = 0; i < textures.size(); ++i)
        list.PushBack(JsonObject(a)
                          .Add("Animation", static_cast<int>(i))
                          .Add("Name", "Textures/" + textures[i])
                          .Add("Width", kMenuW)
                          .Add("Height", kMenuH)
                          .Add("Frames", 1)
                          .Add("Time", 0)
                          .Take(),
                      a);
    s.Add("Textures", std::move(list));
    s.Add("Shader", "Shaders/PictureShader");
    return s.Take();
}

bool WriteObject(const std::string& dir, const std::string& name, const char* type,
                 const std::vector<std::string>& textures, const std::vector<Label>& labels,
                 const Fonts& fonts, bool spriteActive, bool buttonsShown, bool mainMenu = false)
{
    rapidjson::Document doc;
    JsonAlloc& a = doc.GetAllocator();
    JsonObject o(a);
    o.Add("Name", name)
        .Add("Type", GameName(type, true))
        .Add("Transform", JsonObject(a)
                              .Add("Position", NumArray({0, 0, 0}, a))
                              .Add("Scale", NumArray({2, 2}, a))
                              .Add("Rotation", 0)
                              .Take())
        .Add("Sprite", SpriteJson(textures, spriteActive, a));
    if (mainMenu) o.Add("MainMenu", Json(rapidjson::kObjectType));
    Json buttons(rapidjson::kArrayType);
    for (const Label& l : labels) buttons.PushBack(ButtonJson(l, fonts, !buttonsShown, a), a);
    o.Add("Buttons", std::move(buttons));
    return WriteJsonFile(dir + "/" + name, o.Take());
}

Label Heading(const std::string& text, float y, float height = 76.0f)
{
    return {text, nullptr, kMenuW / 2.0f, y, height, true, ""};
}

Label Button(const std::string& text, const char* function, float y, float height = 34.0f,
             float x = kMenuW / 2.0f)
{
    return {text, function, x, y, height, false, ""};
}

std::vector<Label> Column(std::vector<std::pair<const char*, const char*>> buttons, float top,
                          float step, float height)
{
    std::vector<Label> out;
    for (size_t i = 0; i < buttons.size(); ++i)
        out.push_back(Button(buttons[i].first, buttons[i].second, top + step * i, height));
    return out;
}

// A menu opens on its first button, so a question whose "Yes" loses something (the run, the
// level, the game's progress) lists "No" first: a stray Return then keeps the game. On screen
// "Yes" stays on the left.
enum class Answer
{
    kYesFirst,
    kNoFirst
};

bool Confirm(const std::string& dir, const std::string& name, const std::string& question,
             const char* yes, const char* no, const Fonts& fonts, Answer first = Answer::kNoFirst)
{
    // A long question shrinks to fit the panel's screen.
    const float room = kConfirmPanel.w - 90.0f;
    const float height = std::min(50.0f, room / fonts.title.Aspect(question));
    const float mid = kConfirmPanel.y + kConfirmPanel.h / 2.0f;
    const Label yesButton = Button("Yes", yes, mid + 50.0f, 46.0f, 540.0f);
    const Label noButton = Button("No", no, mid + 50.0f, 46.0f, 740.0f);
    std::vector<Label> labels = {Heading(question, mid - 56.0f, height)};
    if (first == Answer::kNoFirst)
        labels.insert(labels.end(), {noButton, yesButton});
    else
        labels.insert(labels.end(), {yesButton, noButton});
    return WriteObject(dir, name, "MENU", {"MenuConfirm.png"}, labels, fonts, false, false);
}

const char* const kCredits[] = {
    "Bellrun - a Corvane game; its code: MIT licence",
    "Art, sound and music made by the game's own generator: CC0 1.0",
    "Fonts (licence texts in Fonts/licenses):",
    "IBM 3270 - BSD 3-Clause licence",
    "Vollkorn, Lato, Leckerli One - SIL Open Font License 1.1",
    "Built with SDL2, SDL2_mixer, SDL2_ttf - zlib licence",
    "GLEW - modified BSD and MIT licences",
    "RapidJSON, Dear ImGui, glm - MIT licence",
    "stb - MIT licence or public domain",
};
} // namespace

bool MakeMenuFiles(const std::string& dir, const std::string& fontDir)
{
    Fonts fonts;
    if (!fonts.mono.Load(fontDir + "/Pixel_Countdown.ttf") ||
        !fonts.title.Load(fontDir + "/EraserRegular.ttf"))
        return false;
    std::vector<Label> pause = {Heading("Paused", 128.0f)};
    for (Label& l : Column({{"Resume", "Resume"},
                            {"Save Game", "SaveGame"},
                            {"Load Game", "LoadGame"},
                            {"Options", "Options"},
                            {"Controls", "Controls"},
                            {"Restart Level", "RestartLevel"},
                            {"Restart Game", "RestartGame"},
                            {"Main Menu", "MainMenu"},
                            {"Quit", "Quit"}},
                           214.0f, 48.0f, 34.0f))
        pause.push_back(l);
    bool ok =
        WriteObject(dir, "PauseMenu.json", "MENU", {"MenuPanel.png"}, pause, fonts, true, true);

    // The game writes the toggles' and volumes' labels from the settings; each click box fits
    // the longest label it can show.
    std::vector<Label> options = {Heading("Options", 140.0f)};
    const struct
    {
        const char* label;
        const char* function;
        const char* longest;
    } settings[] = {{"Turn Full Screen Mode Off", "ToggleFullScreen", "Turn Full Screen Mode Off"},
                    {"Music Volume: 100%", "MusicVolume", "Music Volume: 100%"},
                    {"Effects Volume: 100%", "EffectsVolume", "Effects Volume: 100%"},
                    {"Mute Music", "MuteMusic", "Unmute Music"},
                    {"Mute All Audio", "MuteAll", "Unmute All Audio"}};
    float y = 236.0f;
    for (const auto& setting : settings)
    {
        Label l = Button(setting.label, setting.function, y, 36.0f);
        l.widthOf = setting.longest;
        options.push_back(l);
        y += 62.0f;
    }
    options.push_back(Button("Back", "Back", 580.0f, 38.0f));
    ok = WriteObject(dir, "OptionsMenu.json", "MENU", {"MenuPanel.png"}, options, fonts, false,
                     false) &&
         ok;

    ok = WriteObject(dir, "ControlsMenu.json", "MENU", {"ControlsPad.png", "ControlsKeys.png"},
                     {Heading("Controls", 88.0f, 60.0f), Button("Back", "Back", 622.0f, 38.0f)},
                     fonts, false, false) &&
         ok;

    std::vector<Label> credits = {Heading("Credits", 96.0f, 66.0f)};
    y = 178.0f;
    for (const char* line : kCredits)
    {
        credits.push_back({line, nullptr, kMenuW / 2.0f, y, 28.0f, false, ""});
        y += 44.0f;
    }
    credits.push_back(Button("Back", "Back", 622.0f, 38.0f));
    ok = WriteObject(dir, "CreditsMenu.json", "MENU", {"MenuWide.png"}, credits, fonts, false,
                     false) &&
         ok;

    ok = Confirm(dir, "ConfirmQuitMenu.json", "Quit the game?", "QuitYes", "QuitNo", fonts) && ok;
    ok = Confirm(dir, "ConfirmSaveMenu.json", "Save the game here?", "SaveYes", "Back", fonts,
                 Answer::kYesFirst) &&
         ok;
    ok = Confirm(dir, "ConfirmMainMenu.json", "Back to the title screen?", "MainMenuYes", "Back",
                 fonts) &&
         ok;
    ok = Confirm(dir, "ConfirmRestartLevelMenu.json", "Restart this level?", "RestartLevelYes",
                 "Back", fonts) &&
         ok;
    ok = Confirm(dir, "ConfirmRestartGameMenu.json", "Start again from the first level?",
                 "RestartGameYes", "Back", fonts) &&
         ok;

    const float titleTop = kTitlePanel.y + 42.0f;
    std::vector<Label> title = Column({{"New Game", "NewGame"},
                                       {"Load Game", "LoadGame"},
                                       {"Options", "Options"},
                                       {"Controls", "Controls"},
                                       {"Credits", "Credits"},
                                       {"Quit", "Quit"}},
                                      titleTop, 44.0f, 32.0f);
    ok = WriteObject(dir, "TitleScreen.json", "HUD",
                     {"Splash1.png", "Splash2.png", "Splash3.png", "TitlePlate.png"}, title, fonts,
                     true, false, true) &&
         ok;
    return ok;
}
