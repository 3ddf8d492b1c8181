// TimedText: one line of text on screen for a set time after an optional delay: level titles,
// tutorial prompts, "LEVEL COMPLETE". Known prompts switch every frame to the wording of the
// device in use (keyboard or controller) and to the player's hiding state.
#pragma once

#include <cstdint>
#include <string>

#include <glm/vec3.hpp>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class TimedText final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompTimedText;

    explicit TimedText(GameObject* owner) : Component(owner, kCompTimedText) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    void DrawEditor() override;

    // The prompt wording for the device in use and the hiding state; other texts come back as
    // they are.
    static std::string Reworded(const std::string& text, bool controller, bool hidden,
                                bool knowsHiding);

    glm::vec3 position{0.0f};
    glm::vec3 scale{0.0f, 0.0f, 1.0f};
    float direction = 0.0f;
    std::string text;
    std::string font;
    uint8_t colour[4] = {0, 0, 0, 0};
    float timer = 0.0f;
    float delay = 0.0f;
    float timerSetting = 0.0f;
    float delaySetting = 0.0f;
    bool screenSpace = false;
    // Shown over the closing curtain (set by the game, not read from data).
    bool overCurtain = false;
};
