#include "game/story/LevelFlow.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/objects/EditorPanel.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/ObjectFactory.h"
#include "engine/objects/Transform.h"
#include "game/DevKeys.h"
#include "game/GameLevels.h"
#include "game/GameNames.h"
#include "game/GameTuning.h"
#include "game/story/TimedText.h"

namespace
{
const char* const kEndFont = "Fonts/EraserRegular.ttf";
constexpr float kEndTextMs = 2500.0f;
constexpr int kTeleporterVolume = 20;

bool OnLevel(const char* name)
{
    return LevelManager::Get().GetCurrentLevelName() == name;
}
} // namespace

void HideTimedTexts()
{
    GameObjectManager::Get().ForEachActive(kLayerHud,
                                           [](GameObject& obj)
                                           {
                                               if (TimedText* t = obj.Get<TimedText>())
                                                   t->timer = 0.0f;
                                           });
}

void ShowEndText(const std::string& text)
{
    GameObject* obj = SpawnFromArchetype("TimedText.json");
    if (!obj) return;
    TimedText* t = obj->Get<TimedText>();
    if (!t) return;
    t->text = text;
    t->font = kEndFont;
    t->scale = glm::vec3(1.1f, 0.6f, 1.0f);
    t->timer = kEndTextMs;
    // It says why the screen goes dark: the closing curtain must not cover it.
    t->overCurtain = true;
}

bool Curtain::Deserialize(const JsonView& value)
{
    value.Read("EndCall", endCall);
    value.Read("DialogEnd", dialogEnd);
    if (value.Read("IdleTime", idleTime)) idleTimer = idleTime;
    // The curtain starts out covering the screen.
    if (Transform* t = owner ? owner->Get<Transform>() : nullptr) t->position.x = 0.0f;
    return true;
}

bool Curtain::Serialize(JsonWriter& writer) const
{
    writer.Key("Curtain");
    writer.StartObject();
    writer.Key("EndCall");
    writer.Bool(endCall);
    writer.Key("IdleTime");
    writer.Double(static_cast<double>(idleTime));
    writer.Key("DialogEnd");
    writer.Bool(dialogEnd);
    writer.EndObject();
    return true;
}

void Curtain::HandleEvent(Event* event)
{
    if (!event || state == kCurtainClosing || state == kCurtainClosed) return;
    if (event->type == kEventLevelEnd || (event->type == kEventDialogEnded && dialogEnd))
        StartClosing(0);
    else if (event->type == kEventRestartLevel)
        StartClosing(1);
}

void Curtain::StartClosing(int newMode)
{
    GameTuning::Get().levelTransitionActive = true;
    state = kCurtainClosing;
    mode = newMode;
    slideTimer = kSlideMs;
    idleTimer = idleTime;
    // Start where the slide will end at x = 0, counted in the same frame steps as the slide.
    const uint32_t frame = FrameRateController::Get().frameBudgetMs;
    const uint32_t steps = frame ? static_cast<uint32_t>(kSlideMs) / frame : 0u;
    if (Transform* t = owner ? owner->Get<Transform>() : nullptr)
        t->position.x = static_cast<float>(steps) * kSlideStep;
    HideTimedTexts();
    if (mode != 0) return;
    if (endCall) AudioSettings::Get().PlayEffect("Sounds/teleporter.wav", kTeleporterVolume);
    if (OnLevel(GameLevels::kEnding)) ShowEndText("GAME OVER");
}

bool Curtain::Slide()
{
    if (idleTimer > 0.0f)
    {
        idleTimer -= FrameMs();
        return false;
    }
    slideTimer -= FrameMs();
    if (Transform* t = owner ? owner->Get<Transform>() : nullptr) t->position.x -= kSlideStep;
    return slideTimer <= 0.0f;
}

void Curtain::Update()
{
    if (state == kCurtainOpening && Slide())
    {
        slideTimer = kSlideMs;
        state = kCurtainOpen;
    }
    else if (state == kCurtainClosing && Slide())
    {
        if (endCall)
        {
            if (mode == 0)
                LevelManager::Get().NextLevel();
            else
                LevelManager::Get().RestartLevel();
            GameTuning::Get().levelTransitionActive = false;
        }
        state = kCurtainClosed;
    }
}

void NextLevelJumper::OnCollision(GameObject* other)
{
    if (OnLevel(GameLevels::kEnding) || !other || other->type != kTypePlayer) return;
    InputManager& in = InputManager::Get();
    if (!in.IsKeyPressed("W") && !in.IsButtonDown("A")) return;
    if (used) return;
    used = true;
    EventManager::Get().PostEvent(kEventLevelEnd);
    GameTuning::Get().levelTransitionActive = true;
    HideTimedTexts();
    if (!OnLevel(GameLevels::kMovingTur)) ShowEndText("LEVEL COMPLETE");
}

void MenuJumper::Update()
{
    if (DevKeyActs(DevKeys::kToTitle)) LevelManager::Get().GoToFirstLevel();
}

void NextLevelJumper::DrawEditor()
{
    Panel().Begin("Level Exit");
    Panel().Text("The player touching it starts the next level of the list.");
    Panel().Checkbox("Used", &used);
    Panel().End();
}
