// MainMenu: the title screen. Splash slides fade in one after another, any skip input jumps to
// the title menu, and a long while without input starts the attract demo (the list's last
// level).
#pragma once

#include "engine/objects/Component.h"
#include "game/GameNames.h"

class Sprite;

class MainMenu final : public Component
{
  public:
    static constexpr int kTypeNumber = kCompMainMenu;
    static constexpr int kTitleSlide = 3;
    static constexpr float kSlideMs = 15000.0f;
    static constexpr float kIdleMs = 15000.0f;

    explicit MainMenu(GameObject* owner);

    void Update() override;
    void HandleEvent(Event*) override {}
    void OnCollision(GameObject*) override {}

    float slideTimer = kSlideMs;
    Sprite* sprite = nullptr;
    int slide = 0;
    float idleTimer = 0.0f;
    int slidesReleased = 0; // splash slides below this one are let go

  private:
    void Splash();
    void TitleMenu();
    void OpenTitleMenu();
    void ShowSlide();
    void ReleaseSeenSlides();
};
