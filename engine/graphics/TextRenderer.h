// TextRenderer: TrueType text queued by components during the frame and drawn after the scene.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

typedef struct _TTF_Font TTF_Font;

struct TextRequest
{
    std::string fontName;
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    float rotation = 0.0f;
    std::string text;
    uint8_t r = 255, g = 255, b = 255, a = 255;
    bool screenSpace = true;
};

class TextRenderer
{
  public:
    static TextRenderer& Get();

    bool LoadFont(const std::string& path);
    void QueueText(const TextRequest& request) { TextQueue.push_back(request); }
    void ClearQueue() { TextQueue.clear(); }
    void DrawQueued();
    void RenderText(const TextRequest& request);
    void Release();

    std::map<std::string, TTF_Font*> Fonts;
    std::vector<TextRequest> TextQueue;

  private:
    TextRenderer();
};
