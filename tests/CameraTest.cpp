// Cameras: approach speeds, the upward follow rule, shake and bounds.
#include <gtest/gtest.h>

#include "editor/EditorCamera.h"
#include "editor/LevelEditor.h"
#include "engine/core/CameraManager.h"
#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "game/GameNames.h"

namespace
{
Camera MakeCamera(glm::vec3 p)
{
    return Camera(p, glm::vec3(0, 0, -1), glm::vec3(0, 1, 0));
}
} // namespace

TEST(Camera, ReachesATargetThreePointTwoAwayInSevenFrames)
{
    Camera c = MakeCamera(glm::vec3(3.2f, 0, 10));
    c.target = glm::vec3(0, 0, 10);
    int frames = 0;
    while (c.position.x != c.target.x && frames < 100)
    {
        c.Update();
        ++frames;
    }
    EXPECT_EQ(frames, 7);
}

TEST(Camera, DescendsAtOnceOrSmoothly)
{
    Camera c = MakeCamera(glm::vec3(0, 5, 10));
    c.target = glm::vec3(0, 2, 10);
    c.Update();
    EXPECT_FLOAT_EQ(c.position.y, 2.0f);
    c.position.y = 2.5f;
    c.smoothDescent = true;
    c.Update();
    EXPECT_NEAR(c.position.y, 2.4f, 1e-6);
    for (int i = 0; i < 10; ++i) c.Update();
    EXPECT_FLOAT_EQ(c.position.y, 2.0f);
    EXPECT_FALSE(c.smoothDescent);
}

TEST(Camera, RisesOnlyWhileThePlayerStands)
{
    GameObject* player = GameObjectManager::Get().CreateObject(kTypePlayer);
    auto* t = new Transform(player);
    player->AddComponent(t);
    t->position.y = 4.0f;
    Camera c = MakeCamera(glm::vec3(0, 0, 10));
    c.target = glm::vec3(0, 3, 10);
    c.Update(); // in the air: stays
    EXPECT_FLOAT_EQ(c.position.y, 0.0f);
    player->collisionFlags = kContactBottom;
    c.Update();
    EXPECT_NEAR(c.position.y, 0.1f, 1e-6);
}

TEST(Camera, ShakeRunsForItsTimeThenStops)
{
    Camera c = MakeCamera(glm::vec3(0, 0, 10));
    c.shaking = true;
    c.shakeTimeMs = 32.0f;
    c.Update();
    c.Update();
    EXPECT_FLOAT_EQ(c.shakeTimeMs, 0.0f);
    EXPECT_GE(c.position.x, 0.0f);
    EXPECT_LT(c.position.x, 2 * 10 / 80.0f);
    c.Update();
    EXPECT_FALSE(c.shaking);
}

TEST(Camera, SetTargetClampsUpperBoundFirst)
{
    Camera c = MakeCamera(glm::vec3(0, 0, 10));
    c.min = glm::vec3(5, 5, 0);
    c.max = glm::vec3(2, 20, 0); // inverted bounds: the upper bound wins
    c.SetTarget(10, 1, 0);
    EXPECT_FLOAT_EQ(c.target.x, 2.0f);
    EXPECT_FLOAT_EQ(c.target.y, 5.0f);
    EXPECT_FLOAT_EQ(c.editorTarget.y, 5.0f);
    EXPECT_FLOAT_EQ(ClampUpperFirst(3, 1, 4), 3.0f);
}

TEST(Camera, EditorKeyCCyclesCamerasAndPostsTheSwitch)
{
    CameraManager& cams = CameraManager::Get();
    for (int i = 0; i < 3; ++i)
        cams.cameras.push_back(std::make_unique<Camera>(MakeCamera(glm::vec3(i, 0, 10))));
    LevelEditor::Get().editorOpen = true;
    std::vector<uint32_t> seen;
    for (int i = 0; i < 4; ++i)
    {
        SDL_Event e{};
        e.type = i % 2 == 0 ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.scancode = SDL_SCANCODE_C;
        InputManager::Get().Inject(e);
        InputManager::Get().Update();
        EditorCameraKeys();
        if (i % 2 == 0) seen.push_back(cams.current);
        SDL_Event up{};
        up.type = SDL_KEYUP;
        up.key.keysym.scancode = SDL_SCANCODE_C;
        InputManager::Get().Inject(up);
        InputManager::Get().Update();
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2}));
    EXPECT_TRUE(EventManager::Get().events[0].inUse);
    EXPECT_EQ(EventManager::Get().events[0].type, kEventCameraSwitched);
}
