#include "game/story/DialogBox.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameNames.h"

namespace
{
// A page whose scale line cannot be read keeps its letters about this wide and tall, so a typo
// in a dialog file shows a readable line instead of a squashed or invisible one.
constexpr float kLetterWidth = 0.022f;
constexpr float kFallbackHeight = 0.07f;
constexpr float kMaxWidth = 1.8f;

glm::vec3 FallbackScale(const std::string& text)
{
    float width = std::min(kMaxWidth, kLetterWidth * static_cast<float>(text.size()));
    return glm::vec3(std::max(width, kLetterWidth), kFallbackHeight, 0.0f);
}

bool ReadScale(const std::string& line, float& x, float& y)
{
    std::istringstream in(line);
    return static_cast<bool>(in >> x >> y);
}
} // namespace

DialogBox::DialogBox(GameObject* owner) : Component(owner, kCompDialogBox)
{
    skipPrompt.fontName = font;
    skipPrompt.position = glm::vec3(0.7f, -0.95f, 0.0f);
    skipPrompt.scale = glm::vec3(0.3f, 0.05f, 1.0f);
    skipPrompt.r = skipPrompt.g = skipPrompt.b = skipPrompt.a = 0;
    skipPrompt.screenSpace = true;
}

bool DialogBox::Deserialize(const JsonView& value)
{
    if (value.Read("TextFile", textFile))
    {
        // A level's own text file replaces the archetype's pages (and a save read back over its
        // archetype does not show every page twice).
        pages.clear();
        std::string text;
        if (Files::ReadDataFile(textFile, text))
            AddPages(text);
        else
            LogPrintf("Error Opening Dialog Text File: %s (\"TextFile\" of %s)\n", textFile.c_str(),
                      value.File());
    }
    bool autoPlay = false;
    value.Read("CallAutoPlay", autoPlay);
    callAutoPlay = autoPlay;
    return true;
}

void DialogBox::AddPages(const std::string& text)
{
    // SplitLines drops a CR before each line end and makes no empty line after a final line
    // feed, so a file saved on Windows or ending in a new line gets no extra page.
    const std::vector<std::string> lines = Files::SplitLines(text);
    for (size_t i = 0; i < lines.size(); i += 2)
    {
        TextRequest page;
        page.fontName = font;
        page.text = lines[i];
        if (RepairUtf8(page.text))
            LogDataWarning("dialog", textFile.empty() ? "?" : textFile.c_str(),
                           ("line " + std::to_string(i + 1)).c_str(),
                           "not valid UTF-8; the bad bytes read as '?'");
        float x = 0.0f, y = 0.0f;
        if (i + 1 < lines.size() && ReadScale(lines[i + 1], x, y))
            scale = glm::vec3(x, y, 0.0f);
        else
            scale = FallbackScale(page.text);
        page.scale = scale;
        page.position = position;
        page.rotation = direction;
        page.r = colour[0];
        page.g = colour[1];
        page.b = colour[2];
        page.a = colour[3];
        page.screenSpace = screenSpace;
        pages.push_back(page);
    }
}

bool DialogBox::Advanced() const
{
    InputManager& in = InputManager::Get();
    return in.IsKeyTriggered("Return") || in.leftPressed || in.rightPressed ||
           in.IsButtonDown("A") || in.IsKeyTriggered("Space");
}

void DialogBox::Update()
{
    Sprite* sprite = owner ? owner->Get<Sprite>() : nullptr;
    if (!sprite || !sprite->Active) return;
    EventManager& events = EventManager::Get();
    events.PostEvent(kEventDialogOpen);
    if (Advanced()) ++pageIndex;
    if (InputManager::Get().IsKeyTriggered("Escape"))
        pageIndex = static_cast<uint32_t>(pages.size());
    if (pageIndex < pages.size())
    {
        TextRenderer::Get().QueueText(pages[pageIndex]);
    }
    else
    {
        sprite->Active = false;
        events.PostEvent(kEventDialogEnded);
        if (callAutoPlay) events.PostEvent(kEventStartPlayback);
    }
    QueueSkipPrompt();
}

void DialogBox::QueueSkipPrompt()
{
    skipPrompt.text =
        InputManager::Get().controllerConnected ? "Press A To Skip" : "Press Enter To Skip";
    TextRenderer::Get().QueueText(skipPrompt);
}

bool DialogTrigger::Deserialize(const JsonView& value)
{
    value.Read("DialogFile", dialogFile);
    target.Set(FindBox());
    return true;
}

GameObject* DialogTrigger::FindBox() const
{
    // The last box of that name in the dialog layer wins.
    GameObject* found = nullptr;
    GameObjectManager::Get().ForEachActive(kLayerHud,
                                           [&](GameObject& obj)
                                           {
                                               if (obj.name == dialogFile) found = &obj;
                                           });
    return found;
}

void DialogTrigger::OnCollision(GameObject* other)
{
    if (!other || other->type != kTypePlayer || triggered) return;
    // A saved level lists the dialog layer after the triggers, so a box read after us is looked
    // up again at the touch.
    if (!target.Get()) target.Set(FindBox());
    // A box whose slot was released (or reused) since the level loaded is not ours to show.
    if (GameObject* box = target.Get())
        if (Sprite* sprite = box->Get<Sprite>()) sprite->Active = true;
    triggered = true;
}

bool DialogTrigger::Serialize(JsonWriter& writer) const
{
    writer.Key("DialogTrigger");
    writer.StartObject();
    writer.Key("DialogFile");
    writer.String(dialogFile);
    writer.EndObject();
    return true;
}

void DialogTrigger::DrawEditor()
{
    Panel().Begin("DialogTrigger");
    Panel().InputText("Dialog File", &dialogFile);
    Panel().Checkbox("Triggered", &triggered);
    Panel().End();
}
