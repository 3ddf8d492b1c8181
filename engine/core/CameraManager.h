// Camera and CameraManager: the level's views, with follow bounds, smoothing and shake.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

class Camera
{
  public:
    Camera(const glm::vec3& position, const glm::vec3& front, const glm::vec3& up);

    // Steps towards target (0.5 per frame across, 0.1 up), then shakes.
    void Update();
    // Clamps x and y to the bounds and writes them to target and editorTarget.
    void SetTarget(float x, float y, float z);

    glm::vec3 position;
    glm::vec3 front;
    glm::vec3 up;
    glm::vec3 home;
    glm::vec3 target;
    glm::vec3 editorTarget{0.0f};
    glm::vec3 max{0.0f};
    glm::vec3 min{0.0f};
    bool smoothDescent = false;
    bool shaking = false;
    float shakeTimeMs = 0.0f;
};

// The world layers' perspective: tan(22.5 rad) = 0.5578517, near 1, far 1000.
glm::mat4 PerspectiveProjection(float aspect);
// The game's fixed 16:9 aspect used by the render pass.
constexpr float kWorldAspect = 1.7777778f;

// Upper bound tested first: a value above max becomes max, else one below min becomes min.
float ClampUpperFirst(float value, float lo, float hi);

class CameraManager
{
  public:
    static CameraManager& Get();

    std::vector<std::unique_ptr<Camera>> cameras;
    uint32_t current = 0;
    bool paused = false;

    // The camera in use, or nullptr when the level has none.
    Camera* GetCurrentCamera();
    // The look-at view of the camera in use (identity when there is none).
    glm::mat4 CurrentView();
    void Update();
    // Every camera back to its home position and target.
    void ResetToHome();

  private:
    CameraManager() = default;
};
