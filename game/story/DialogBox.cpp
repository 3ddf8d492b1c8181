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
#include "engine/objects/Transform.h"
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

// The panel's screen (right of the portrait slot, inside the frame), as fractions of the box's
// width and height from its left and bottom edges: the text and the prompt stay on it.
constexpr float kScreenLeft = 124.0f / 512.0f, kScreenRight = 500.0f / 512.0f;
constexpr float kScreenBottom = 12.0f / 128.0f, kScreenTop = 116.0f / 128.0f;
constexpr float kMargin = 0.03f; // screen units between the text and the screen's edges
constexpr float kLineGap = 1.3f; // line pitch over letter height
constexpr size_t kMaxLines = 3;
constexpr float kPromptHeight = 0.045f;

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// Greedy lines of at most `limit` characters (a longer word stands alone).
std::vector<std::string> FillLines(const std::vector<std::string>& words, size_t limit)
{
    std::vector<std::string> lines;
    for (const std::string& w : words)
    {
        if (!lines.empty() && lines.back().size() + 1 + w.size() <= limit)
            lines.back() += " " + w;
        else
            lines.push_back(w);
    }
    return lines;
}
} // namespace

std::vector<std::string> WrapDialogLine(const std::string& text, size_t maxChars)
{
    if (text.size() <= maxChars || maxChars == 0) return {text};
    const std::vector<std::string> words = Words(text);
    if (words.empty()) return {text};
    // As many lines as the width needs, filled evenly rather than one long and one short.
    const size_t count = (text.size() + maxChars - 1) / maxChars;
    std::vector<std::string> lines = FillLines(words, (text.size() + count - 1) / count + 1);
    if (lines.size() > count) lines = FillLines(words, maxChars);
    return lines;
}

DialogBox::DialogBox(GameObject* owner) : Component(owner, kCompDialogBox)
{
    skipPrompt.fontName = font;
    skipPrompt.position = glm::vec3(0.7f, -0.92f, 0.0f);
    skipPrompt.scale = glm::vec3(0.27f, kPromptHeight, 1.0f);
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
    // Speaker i's portrait is the sprite's texture slot i + 1; slot 0 (no speaker) the narrator's.
    JsonView names = value["Speakers"];
    if (names.Valid())
    {
        speakers.clear();
        for (size_t i = 0; i < names.Size(); ++i) speakers.push_back(names.At(i).AsString(""));
    }
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
        ShowPortrait(*sprite, pages[pageIndex].text);
        for (const TextRequest& line : LayOutPage(pages[pageIndex]))
            TextRenderer::Get().QueueText(line);
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
    // In the screen's bottom right corner, clear of the frame.
    if (const Transform* t = owner ? owner->Get<Transform>() : nullptr)
    {
        const float right = t->position.x + t->scale.x * (kScreenRight - 0.5f);
        const float bottom = t->position.y + t->scale.y * (kScreenBottom - 0.5f);
        skipPrompt.position.x = right - kMargin - skipPrompt.scale.x / 2.0f;
        skipPrompt.position.y = bottom + kMargin / 2.0f + skipPrompt.scale.y / 2.0f;
    }
    TextRenderer::Get().QueueText(skipPrompt);
}

int DialogBox::SpeakerSlot(const std::string& text) const
{
    for (size_t i = 0; i < speakers.size(); ++i)
    {
        const std::string& name = speakers[i];
        if (!name.empty() && text.size() > name.size() && text.compare(0, name.size(), name) == 0 &&
            text[name.size()] == ':')
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void DialogBox::ShowPortrait(Sprite& sprite, const std::string& text) const
{
    if (speakers.empty()) return;
    const int slot = SpeakerSlot(text);
    sprite.TextureSlot = sprite.AnimationIndex = slot < sprite.TextureNumber ? slot : 0;
}

std::vector<TextRequest> DialogBox::LayOutPage(const TextRequest& page) const
{
    const Transform* t = owner ? owner->Get<Transform>() : nullptr;
    if (!t || page.text.empty()) return {page};
    // The text's room: the screen above the prompt's row.
    const float left = t->position.x + t->scale.x * (kScreenLeft - 0.5f) + kMargin;
    const float right = t->position.x + t->scale.x * (kScreenRight - 0.5f) - kMargin;
    const float top = t->position.y + t->scale.y * (kScreenTop - 0.5f) - kMargin;
    const float bottom =
        t->position.y + t->scale.y * (kScreenBottom - 0.5f) + kMargin + kPromptHeight;
    const float perChar = page.scale.x / static_cast<float>(page.text.size());
    const size_t maxChars =
        perChar > 0.0f ? static_cast<size_t>(std::max(1.0f, (right - left) / perChar)) : 0;
    std::vector<std::string> lines = WrapDialogLine(page.text, maxChars);
    if (lines.size() > kMaxLines) lines = WrapDialogLine(page.text, (page.text.size() + 2) / 3);
    // Letters keep their shape; a page too long for the room shrinks whole.
    float fit = 1.0f;
    size_t longest = 0;
    for (const std::string& l : lines) longest = std::max(longest, l.size());
    fit = std::min(fit, (right - left) / std::max(perChar * static_cast<float>(longest), 1e-6f));
    const float pitch = page.scale.y * kLineGap;
    fit = std::min(fit, (top - bottom) / std::max(pitch * static_cast<float>(lines.size()), 1e-6f));
    std::vector<TextRequest> out;
    const float middle = (top + bottom) / 2.0f;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        TextRequest line = page;
        line.text = lines[i];
        line.scale.x = perChar * static_cast<float>(lines[i].size()) * fit;
        line.scale.y = page.scale.y * fit;
        line.position.x = (left + right) / 2.0f;
        line.position.y =
            middle + ((static_cast<float>(lines.size()) - 1.0f) / 2.0f - static_cast<float>(i)) *
                         pitch * fit;
        out.push_back(line);
    }
    return out;
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
