// Input: key edges at frame boundaries, mouse buttons, controller buttons and sticks, windows.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/CameraManager.h"
#include "engine/core/InputManager.h"
#include "engine/core/ScriptedInput.h"
#include "engine/core/WindowManager.h"
#include "engine/objects/GameObjectManager.h"
#include "tests/Harness.h"

namespace
{
SDL_Event Make(Uint32 type)
{
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}

void Frame()
{
    InputManager::Get().Update();
}
} // namespace

TEST(Input, KeyEdgesCountOnlyAtFrameBoundaries)
{
    InputManager& in = InputManager::Get();
    Send::Key("Escape", true);
    Frame();
    EXPECT_TRUE(in.IsKeyTriggered("Escape"));
    EXPECT_TRUE(in.IsKeyPressed("Escape"));
    EXPECT_TRUE(in.keyDownThisFrame);
    Frame(); // held: triggers once, not every frame
    EXPECT_FALSE(in.IsKeyTriggered("Escape"));
    EXPECT_TRUE(in.IsKeyPressed("Escape"));
    Send::Key("Escape", false);
    Frame();
    EXPECT_TRUE(in.IsKeyReleased("Escape"));
    Send::Key("Space", true); // pressed and released within one frame: nobody sees it
    Send::Key("Space", false);
    Frame();
    EXPECT_FALSE(in.IsKeyTriggered("Space"));
    EXPECT_FALSE(in.IsKeyPressed("Space"));
    EXPECT_FALSE(in.IsKeyReleased("Space"));
    EXPECT_FALSE(in.IsKeyPressed("NoSuchKey"));
}

TEST(Input, MouseClickIsPressedForOneFrameAndHeldUntilRelease)
{
    InputManager& in = InputManager::Get();
    SDL_Event down = Make(SDL_MOUSEBUTTONDOWN);
    down.button.button = SDL_BUTTON_LEFT;
    in.Inject(down);
    Frame();
    EXPECT_TRUE(in.leftPressed);
    EXPECT_TRUE(in.leftHeld);
    Frame();
    EXPECT_FALSE(in.leftPressed);
    EXPECT_TRUE(in.leftHeld);
    SDL_Event up = Make(SDL_MOUSEBUTTONUP);
    up.button.button = SDL_BUTTON_LEFT;
    in.Inject(up);
    Frame();
    EXPECT_TRUE(in.leftReleased);
    EXPECT_FALSE(in.leftHeld);
}

TEST(Input, ControllerButtonTriggersOnceTheFrameAfterItWentDown)
{
    InputManager& in = InputManager::Get();
    SDL_Event down = Make(SDL_CONTROLLERBUTTONDOWN);
    down.cbutton.button = SDL_CONTROLLER_BUTTON_START;
    in.Inject(down);
    Frame();
    EXPECT_TRUE(in.IsButtonDown("START"));
    EXPECT_FALSE(in.IsButtonTriggered("START"));
    Frame();
    EXPECT_TRUE(in.IsButtonTriggered("START"));
    Frame();
    EXPECT_FALSE(in.IsButtonTriggered("START"));
    EXPECT_FALSE(in.IsButtonDown("NOT_A_BUTTON"));
}

TEST(Input, StickValuesUseTheDeadZoneAndTruncate)
{
    EXPECT_EQ(StickValue(8000), 0.0f);
    EXPECT_EQ(StickValue(8001), 0.0f);
    EXPECT_EQ(StickValue(20000), 9.0f);
    EXPECT_EQ(StickValue(32767), 20.0f);
    EXPECT_EQ(StickValue(-32768), -20.0f);
    InputManager& in = InputManager::Get();
    SDL_Event up = Make(SDL_CONTROLLERAXISMOTION);
    up.caxis.axis = 1;
    up.caxis.value = -32768; // pushing the left stick up
    in.Inject(up);
    Frame();
    EXPECT_EQ(in.leftStickY, 20.0f);
}

TEST(Input, AnalogueTriggersPressLtAndRtOncePerPullPastHalfTravel)
{
    InputManager& in = InputManager::Get();
    auto trigger = [&in](int axis, int value)
    {
        SDL_Event e = Make(SDL_CONTROLLERAXISMOTION);
        e.caxis.axis = static_cast<Uint8>(axis);
        e.caxis.value = static_cast<Sint16>(value);
        in.Inject(e);
    };
    struct Step
    {
        int axis, value;
        bool lt, rt; // IsButtonDown in the frame of the event
    };
    const Step steps[] = {
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 12000, false, false}, // short of half travel
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 20000, true, false},  // past it: pressed
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, false, false}, // held on: once per pull
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 15000, false, false}, // easing back a little
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 30000, false, false}, // ...is not a second pull
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0, false, false},     // let go
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, false, true},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, true, false}, // a second pull
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.axis) + " at " + std::to_string(step.value));
        trigger(step.axis, step.value);
        Frame();
        EXPECT_EQ(in.IsButtonDown("LT"), step.lt);
        EXPECT_EQ(in.IsButtonDown("RT"), step.rt);
        EXPECT_EQ(in.keyDownThisFrame, step.lt || step.rt); // it wakes the title screen too
    }
    // Triggers are not sticks.
    EXPECT_EQ(in.leftStickX, 0.0f);
    EXPECT_EQ(in.rightStickY, 0.0f);
    // A scripted run can pull them too.
    ScriptedInput script;
    std::string error;
    EXPECT_TRUE(
        script.LoadText(R"([{"frame": 1, "type": "axis", "axis": 5, "value": 32767}])", "t", error))
        << error;
}

TEST(Input, ScriptedControllerConnects)
{
    InputManager& in = InputManager::Get();
    SDL_Event added = Make(SDL_CONTROLLERDEVICEADDED);
    added.cdevice.which = kScriptedDevice;
    in.Inject(added);
    Frame();
    EXPECT_TRUE(in.controllerConnected);
    in.Inject(Make(SDL_CONTROLLERDEVICEREMOVED));
    Frame();
    EXPECT_FALSE(in.controllerConnected);
}

TEST(Input, FocusLossPausesOffTheTitleLevel)
{
    InputManager& in = InputManager::Get();
    SDL_Event lost = Make(SDL_WINDOWEVENT);
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    in.Inject(lost);
    Frame();
    EXPECT_TRUE(in.windowFocusLost);
    // No level list here: the current level is not the title, so the game pauses.
    EXPECT_TRUE(GameObjectManager::Get().paused);
    EXPECT_TRUE(CameraManager::Get().paused);
}

TEST(Input, MouseWorldPositionHitsThePlaneUnderTheCamera)
{
    CameraManager::Get().cameras.push_back(std::make_unique<Camera>(
        glm::vec3(10.0f, 5.0f, 15.0f), glm::vec3(0, 0, -1), glm::vec3(0, 1, 0)));
    InputManager& in = InputManager::Get();
    in.mouseX = 400; // the centre of the default 800 x 400 window
    in.mouseY = 200;
    glm::vec3 p = in.GetMouseWorldPosition();
    EXPECT_NEAR(p.x, 10.0f, 1e-3);
    EXPECT_NEAR(p.y, 5.0f, 1e-3);
    EXPECT_NEAR(p.z, 0.0f, 1e-3);
    in.mouseX = 800; // the right edge: half the view width to the right
    p = in.GetMouseWorldPosition();
    EXPECT_NEAR(p.x, 10.0f + 15.0f * 0.55785173f * 2.0f, 1e-2);
}

TEST(ScriptedInput, ParsesEveryEventKind)
{
    ScriptedInput script;
    std::string error;
    ASSERT_TRUE(script.LoadText(R"([
        {"frame": 3, "type": "keyup", "key": "D"},
        {"frame": 1, "type": "keydown", "key": "Left Shift"},
        {"frame": 2, "type": "mousemove", "x": 10, "y": 20},
        {"frame": 2, "type": "mousedown", "button": "right"},
        {"frame": 2, "type": "buttondown", "button": "START"},
        {"frame": 2, "type": "axis", "axis": 3, "value": -32768},
        {"frame": 2, "type": "controller", "connected": true},
        {"frame": 2, "type": "window", "event": "focuslost"},
        {"frame": 9, "type": "quit"}])",
                                "script.json", error))
        << error;
    ASSERT_EQ(script.Count(), 9u);
    EXPECT_EQ(script.Events()[0].frame, 1); // sorted by frame
    EXPECT_EQ(script.Events()[0].event.key.keysym.scancode, SDL_SCANCODE_LSHIFT);
    EXPECT_EQ(script.Events().back().event.type, static_cast<Uint32>(SDL_QUIT));
}

TEST(ScriptedInput, RefusesMalformedScriptsNamingTheEntry)
{
    const char* bad[] = {"{}",
                         "[1]",
                         R"([{"type": "quit"}])",
                         R"([{"frame": 0, "type": "quit"}])",
                         R"([{"frame": 1, "type": "keydown", "key": "NoSuchKey"}])",
                         R"([{"frame": 1, "type": "axis", "axis": 6, "value": 0}])",
                         R"([{"frame": 1, "type": "quit"}][])",
                         R"([{"frame": 1, "type": "axis", "axis": 1, "value": 40000}])",
                         R"([{"frame": 1, "type": "mousedown", "button": "middle"}])",
                         R"([{"frame": 1, "type": "window", "event": "shake"}])",
                         R"([{"frame": 1, "type": "teleport"}])",
                         R"({"Size": [0, 720], "Events": []})",
                         R"({"Size": [1280], "Events": []})",
                         R"({"Size": [1280, 720]})",
                         R"({"Size": [1280, 720], "Events": [{"frame": 1}]})",
                         "[{\"frame\": 1,"};
    for (const char* text : bad)
    {
        ScriptedInput script;
        std::string error;
        EXPECT_FALSE(script.LoadText(text, "bad.json", error)) << text;
        EXPECT_NE(error.find("bad.json"), std::string::npos) << error;
    }
}

// A script that states its window size aims at the same spot of any window; a bare array keeps
// meaning window pixels.
TEST(ScriptedInput, MousePositionsFollowTheStatedWindowSize)
{
    struct Case
    {
        const char* text;
        int windowWidth, windowHeight, x, y;
    };
    const Case cases[] = {
        {R"({"Size": [1280, 720], "Events": [{"frame": 1, "type": "mousemove", "x": 641, "y": 61}]})",
         1920, 1080, 962, 92},
        {R"({"Size": [1280, 720], "Events": [{"frame": 1, "type": "mousemove", "x": 641, "y": 61}]})",
         1280, 720, 641, 61},
        {R"([{"frame": 1, "type": "mousemove", "x": 641, "y": 61}])", 1920, 1080, 641, 61},
    };
    WindowManager& window = WindowManager::Get();
    const int oldWidth = window.width, oldHeight = window.height;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        ScriptedInput script;
        std::string error;
        ASSERT_TRUE(script.LoadText(c.text, "sized.json", error)) << error;
        window.width = c.windowWidth;
        window.height = c.windowHeight;
        script.Deliver(1);
        Frame();
        EXPECT_EQ(InputManager::Get().mouseX, c.x);
        EXPECT_EQ(InputManager::Get().mouseY, c.y);
    }
    window.width = oldWidth;
    window.height = oldHeight;
}
