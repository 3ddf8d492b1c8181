// Level flow: the curtain that opens and closes every level, the level exit and the jumper back
// to the title, and the end-of-level texts they share.
#pragma once

#include <string>

#include "engine/objects/Component.h"
#include "game/GameNames.h"

// Curtain states.
enum CurtainState
{
    kCurtainOpening = 0,
    kCurtainOpen = 1,
    kCurtainClosing = 2,
    kCurtainClosed = 3,
};

class Curtain final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompCurtain;
    static constexpr float kSlideMs = 1600.0f;
    static constexpr float kSlideStep = 0.05f; // screen units per frame

    explicit Curtain(GameObject* owner) : Component(owner, kCompCurtain) {}

    void Update() override;
    void HandleEvent(Event* event) override;
    void OnCollision(GameObject*) override {}
    bool Serialize(JsonWriter& writer) const override;
    bool Deserialize(const JsonView& value) override;
    // mode 0: on to the next level; 1: the current level again.
    void StartClosing(int newMode);

    float slideTimer = kSlideMs;
    bool endCall = false;
    bool dialogEnd = false;
    float idleTime = 0.0f;
    float idleTimer = 0.0f;
    int mode = 0;
    int state = kCurtainOpening;

  private:
    // One frame of a slide; true when the slide has run its time.
    bool Slide();
};

class NextLevelJumper final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompNextLevelJumper;

    explicit NextLevelJumper(GameObject* owner) : Component(owner, kCompNextLevelJumper) {}

    void HandleEvent(Event*) override {}
    void OnCollision(GameObject* other) override;
    void DrawEditor() override;

    bool used = false;
};

class MenuJumper final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompMenuJumper;

    explicit MenuJumper(GameObject* owner) : Component(owner, kCompMenuJumper) {}

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}
};

// Ends the showing of every timed text in the HUD layer.
void HideTimedTexts();
// A "TimedText.json" object in a fresh layer-5 slot showing text for 2500 ms in the end font;
// nothing when no slot is free or the archetype is missing.
void ShowEndText(const std::string& text);
