#include "game/story/TimedText.h"

#include <algorithm>

#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "game/player/Player.h"

namespace
{
struct Wording
{
    const char* controller;
    const char* keyboard;
};
const Wording kPrompts[] = {
    {"Press A To Teleport To Next Room", "Press W To Teleport To Next Room"},
    {"Left Stick To Move", "A And D To Move"},
    {"Crawl: X", "Crawl: Shift"},
    {"Right Stick To Aim", "Use Mouse To Aim"},
    {"Right Bumper To Throw", "Left Click To Throw"},
    {"Left Bumper To Throw ZentoBall", "Right Click To Throw ZentoBall"},
};

// One entry of an array as an integer colour channel: its low byte, 0 when it is no integer.
uint8_t Channel(const JsonView& list, size_t i)
{
    JsonView v = list.At(i);
    return v.IsNumber() ? static_cast<uint8_t>(v.AsInt(0, false) & 0xff) : 0;
}
} // namespace

std::string TimedText::Reworded(const std::string& in, bool controller, bool hidden,
                                bool knowsHiding)
{
    std::string t = in;
    if (!controller && t == "Press A To Hide") t = "Press W To Hide";
    if (controller && t == "Press W To Hide") t = "Press A To Hide";
    if (knowsHiding)
    {
        if (hidden)
        {
            if (t == "Press W To Hide")
                t = "Press S To Unhide";
            else if (t == "Press A To Hide")
                t = "Press A To Unhide";
        }
        else
        {
            if (t == "Press S To Unhide")
                t = "Press W To Hide";
            else if (t == "Press A To Unhide")
                t = "Press A To Hide";
        }
    }
    for (const Wording& w : kPrompts)
    {
        if (!controller && t == w.controller) t = w.keyboard;
        if (controller && t == w.keyboard) t = w.controller;
    }
    return t;
}

void TimedText::Update()
{
    // A level whose player has no Player component leaves the hiding prompts as they are.
    GameObject* playerObj = GameObjectManager::Get().Player();
    Player* player = playerObj ? playerObj->Get<Player>() : nullptr;
    text = Reworded(text, InputManager::Get().controllerConnected, player && player->Hidden,
                    player != nullptr);
    const float step = static_cast<float>(FrameRateController::Get().frameBudgetMs);
    if (delay > 0.0f)
    {
        delay -= step;
        return;
    }
    if (timer <= 0.0f) return;
    timer -= step;
    TextRequest r;
    r.fontName = font;
    r.position = position;
    r.scale = scale;
    r.rotation = direction;
    r.text = text;
    r.r = colour[0];
    r.g = colour[1];
    r.b = colour[2];
    r.a = colour[3];
    r.screenSpace = screenSpace;
    r.overCurtain = overCurtain;
    TextRenderer::Get().QueueText(r);
}

bool TimedText::Deserialize(const JsonView& value)
{
    value.ReadFloats("Position", &position.x, 3);
    float s[2] = {scale.x, scale.y};
    if (value.ReadFloats("Scale", s, 2)) scale = glm::vec3(s[0], s[1], 1.0f);
    value.Read("Direction", direction);
    value.Read("Font", font);
    JsonView c = value["Color"];
    if (c.Valid() && (!c.IsArray() || c.Size() < 3))
        c.Warn("expected 3 integers");
    else if (c.Valid())
        for (size_t i = 0; i < 3; ++i) colour[i] = Channel(c, i);
    value.Read("Text", text);
    if (value.Read("Timer", timerSetting)) timer = timerSetting;
    if (value.Read("Delay", delaySetting)) delay = delaySetting;
    std::string ui;
    if (value.Read("UI", ui)) screenSpace = ui == "true";
    return true;
}

bool TimedText::Serialize(JsonWriter& writer) const
{
    writer.Key("TimedText");
    writer.StartObject();
    WriteNumbers(writer, "Position", &position.x, 3);
    WriteNumbers(writer, "Scale", &scale.x, 2);
    writer.Key("Direction");
    writer.Double(static_cast<double>(direction));
    writer.Key("Font");
    writer.String(font);
    writer.Key("Color");
    writer.StartArray();
    for (int i = 0; i < 3; ++i) writer.Int(colour[i]);
    writer.EndArray();
    writer.Key("Text");
    writer.String(text);
    writer.Key("Timer");
    writer.Int(ClampToInt(timerSetting));
    writer.Key("Delay");
    writer.Int(ClampToInt(delaySetting));
    writer.Key("UI");
    writer.String(screenSpace ? "true" : "false");
    writer.EndObject();
    return true;
}

void TimedText::DrawEditor()
{
    Panel().Begin("TimedText");
    Panel().InputText("Text", &text);
    Panel().InputFloat("Position X", &position.x, 0.1f, "%f");
    Panel().InputFloat("Position Y", &position.y, 0.1f, "%f");
    if (Panel().InputFloat("Show Time(Milisecond)", &timerSetting, 100.0f, "%.0f"))
        timer = timerSetting = std::max(timerSetting, 0.0f);
    if (Panel().InputFloat("Delay(Milisecond)", &delaySetting, 100.0f, "%.0f"))
        delay = delaySetting = std::max(delaySetting, 0.0f);
    Panel().Checkbox("Screen Space", &screenSpace);
    Panel().End();
}
