#include "game/menus/MainMenu.h"

#include <algorithm>

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Sprite.h"
#include "engine/objects/GameObject.h"
#include "game/GameLevels.h"
#include "game/GameNames.h"
#include "game/menus/ButtonList.h"

namespace
{
bool SkipPressed()
{
    InputManager& in = InputManager::Get();
    return in.IsKeyTriggered("Return") || in.leftPressed || in.rightPressed ||
           in.IsButtonTriggered("START") || in.IsButtonTriggered("A") ||
           in.IsKeyTriggered("Escape") || in.IsKeyTriggered("Space");
}

bool AnyInput()
{
    InputManager& in = InputManager::Get();
    return in.keyDownThisFrame || in.event.type == SDL_MOUSEBUTTONDOWN || in.leftStickX != 0.0f ||
           in.leftStickY != 0.0f || in.rightStickX != 0.0f || in.rightStickY != 0.0f ||
           in.IsButtonDown("DPAD_UP") || in.IsButtonDown("DPAD_DOWN");
}
} // namespace

MainMenu::MainMenu(GameObject* owner) : Component(owner, kCompMainMenu)
{
    if (!owner) return;
    sprite = owner->Get<Sprite>();
    if (sprite) sprite->Transparency = 0.0f;
}

void MainMenu::Update()
{
    if (!sprite) return;
    if (!Engine::Get().titleMenuReached)
        Splash();
    else
        TitleMenu();
}

void MainMenu::ReleaseSeenSlides()
{
    // A splash slide is a whole window's picture (8 MB at 1080 lines), and the splash never
    // comes back once the title menu has been reached: the slide on show need not share
    // memory with the ones already seen. Each is let go once, the frame after it was shown.
    const int seen = std::min({slide, kTitleSlide, sprite->TextureNumber, Sprite::kSlots});
    for (; slidesReleased < seen; ++slidesReleased)
    {
        const int index = sprite->TextureSlots[static_cast<size_t>(slidesReleased)];
        if (index != sprite->CurrentTexture()) ResourceManager::Get().ReleaseTexture(index);
    }
}

void MainMenu::ShowSlide()
{
    sprite->TextureSlot = slide;
    sprite->AnimationIndex = slide;
}

void MainMenu::Splash()
{
    ShowSlide();
    ReleaseSeenSlides();
    if (sprite->Transparency < 1.0f) sprite->Transparency += 0.01f;
    if (SkipPressed())
    {
        slideTimer = 0.0f;
        slide = kTitleSlide;
        OpenTitleMenu();
        return;
    }
    if (slideTimer > 0.0f)
    {
        slideTimer -= static_cast<float>(FrameRateController::Get().targetFrameRate);
        return;
    }
    if (slide + 1 > kTitleSlide) return;
    ++slide;
    slideTimer = kSlideMs;
    if (slide < kTitleSlide)
        sprite->Transparency = 0.0f;
    else
        OpenTitleMenu();
}

void MainMenu::TitleMenu()
{
    if (slide != kTitleSlide)
    {
        slide = kTitleSlide;
        OpenTitleMenu();
    }
    ShowSlide();
    ReleaseSeenSlides();
    if (AnyInput()) idleTimer = kIdleMs;
    if (idleTimer > 0.0f)
        idleTimer -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
    else
        LevelManager::Get().GoToLastLevel();
}

void MainMenu::OpenTitleMenu()
{
    Engine& engine = Engine::Get();
    idleTimer = kIdleMs;
    sprite->Transparency = 1.0f;
    for (const auto& c : owner->components)
        if (c->typeNumber == kCompButtonList)
            if (auto* list = dynamic_cast<ButtonList*>(c.get())) list->ShowAll();
    engine.titleMenuReached = true;
    if (engine.musicStarted) return;
    AudioSettings& audio = AudioSettings::Get();
    // PlayMusic halts whatever is playing first; either mute starts the track silent.
    audio.PlayMusic(GameLevels::kLevelMusic, audio.muteMusic || audio.muteAll);
    engine.musicStarted = true;
}
