#include "engine/core/CameraManager.h"

#include <cstdio>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/core/Random.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"

glm::mat4 PerspectiveProjection(float aspect)
{
    const float t = 0.55785173f;
    glm::mat4 m(0.0f);
    m[0][0] = 1.0f / (t * aspect);
    m[1][1] = 1.0f / t;
    m[2][2] = -1.002002f;
    m[2][3] = -1.0f;
    m[3][2] = -2.002002f;
    return m;
}

float ClampUpperFirst(float value, float lo, float hi)
{
    if (value > hi) return hi;
    if (value < lo) return lo;
    return value;
}

Camera::Camera(const glm::vec3& p, const glm::vec3& f, const glm::vec3& u)
    : position(p), front(f), up(u), home(p), target(p)
{
}

void Camera::SetTarget(float x, float y, float)
{
    target.x = editorTarget.x = ClampUpperFirst(x, min.x, max.x);
    target.y = editorTarget.y = ClampUpperFirst(y, min.y, max.y);
}

namespace
{
// One axis of the horizontal approach: 0.5 per frame, snapping when closer than that.
float StepTowards(float pos, float goal, double step)
{
    double p = pos;
    if (p > goal) return static_cast<float>(p > goal + step ? p - step : goal);
    return static_cast<float>(goal - step > p ? p + step : goal);
}
} // namespace

void Camera::Update()
{
    if (position != target)
    {
        position.x = StepTowards(position.x, target.x, 0.5);
        if (position.y > target.y)
        {
            if (!smoothDescent)
                position.y = target.y;
            else if (position.y > target.y + 0.1)
                position.y = static_cast<float>(position.y - 0.1);
            else
            {
                smoothDescent = false;
                position.y = target.y;
            }
        }
        else
        {
            // The view rises only while the player stands on something, so a jump does not
            // drag the camera up and down.
            GameObject* player = GameObjectManager::Get().Player();
            Transform* t = player ? player->Get<Transform>() : nullptr;
            bool grounded = player && (player->collisionFlags & 8u);
            if (grounded && t && t->position.y != position.y)
                position.y = StepTowards(position.y, target.y, 0.1);
        }
    }
    if (shakeTimeMs > 0.0f && shaking)
    {
        shakeTimeMs -= static_cast<float>(FrameRateController::Get().frameBudgetMs);
        position.x += static_cast<float>(Random::Next() % 10) / 80.0f;
        position.y += static_cast<float>(Random::Next() % 10) / 80.0f;
    }
    else
    {
        shaking = false;
    }
}

CameraManager& CameraManager::Get()
{
    static CameraManager instance;
    return instance;
}

Camera* CameraManager::GetCurrentCamera()
{
    if (cameras.empty()) return nullptr;
    if (current >= cameras.size()) current = 0;
    return cameras[current].get();
}

glm::mat4 CameraManager::CurrentView()
{
    Camera* cam = GetCurrentCamera();
    return cam ? glm::lookAt(cam->position, cam->position + cam->front, cam->up) : glm::mat4(1.0f);
}

void CameraManager::ResetToHome()
{
    for (auto& c : cameras) c->position = c->target = c->home;
}

void CameraManager::Update()
{
    for (auto& c : cameras) c->Update();
}
