// DialogBox: story text shown page by page at the bottom of the screen while the box's sprite is
// visible; the player pages on with the confirm inputs or skips the rest with Escape.
//
// A DialogTrigger (an invisible zone) makes a named box visible the first time the player
// touches it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/graphics/TextRenderer.h"
#include "engine/objects/Component.h"
#include "engine/objects/ObjectRef.h"
#include "game/GameNames.h"

class Sprite;

// A dialog line broken at spaces into lines of at most maxChars characters, the lines as even as
// the words allow (a word longer than maxChars stands alone).
std::vector<std::string> WrapDialogLine(const std::string& text, size_t maxChars);

class DialogBox final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompDialogBox;

    explicit DialogBox(GameObject* owner);

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    // The box is data of the level file that places it: nothing to save.
    bool Serialize(JsonWriter&) const override { return true; }
    bool Deserialize(const JsonView& value) override;
    // Appends the pages of a dialog file's text (pairs of lines: text, then scale x and y).
    void AddPages(const std::string& text);

    std::vector<TextRequest> pages;
    std::string font = "Fonts/Facet_Regular.ttf";
    uint8_t colour[4] = {0, 0, 0, 0};
    glm::vec3 position{0.0f, -0.85f, 0.0f};
    glm::vec3 scale{0.0f};
    float direction = 0.0f;
    bool screenSpace = true;
    uint32_t pageIndex = 0;
    std::string textFile;
    TextRequest skipPrompt;
    bool callAutoPlay = false;
    // "Speakers": the names that open pages ("WREN: ..."); speaker i shows the sprite's slot i + 1.
    std::vector<std::string> speakers;

    // The page as drawn: wrapped and placed on the panel's screen, beside the portrait.
    std::vector<TextRequest> LayOutPage(const TextRequest& page) const;
    // 1 + the index of the speaker who opens the text, 0 for none.
    int SpeakerSlot(const std::string& text) const;

  private:
    bool Advanced() const;
    void QueueSkipPrompt();
    void ShowPortrait(Sprite& sprite, const std::string& text) const;
};

class DialogTrigger final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompDialogTrigger;

    explicit DialogTrigger(GameObject* owner) : Component(owner, kCompDialogTrigger) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    void DrawEditor() override;

    std::string dialogFile;
    bool triggered = false;
    ObjectRef target;

  private:
    GameObject* FindBox() const;
};
