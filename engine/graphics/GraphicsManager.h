// GraphicsManager: shader programs and the render pass over the draw layers.
#pragma once

#include <string>

class Sprite;

class GraphicsManager
{
  public:
    static GraphicsManager& Get();

    // Viewport and clear for a new frame.
    void BeginFrame(int width, int height);
    void DrawLayer(int layer);
    void DrawSingle(Sprite& sprite);
    // Writes the back buffer as a PNG; false (and a line) when there is no GPU.
    bool SaveScreenshot(const std::string& path);
    void Release();

  private:
    GraphicsManager() = default;
};

// Radius of the light around the player; level changes reset it to 25.
extern float SpotlightRadius;
