// TextRenderer: TrueType text queued by components during the frame and drawn after the scene.
//
// Fonts load even without a GPU (it is CPU work), so a missing font stops start-up the same way
// in every run. Rasterised texts are kept while they are drawn every frame: a dialog page or a
// counter that does not change is rasterised and uploaded once, not sixty times a second.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

typedef struct _TTF_Font TTF_Font;
class ShaderProgram;

struct TextRequest
{
    std::string fontName;
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    float rotation = 0.0f;
    std::string text;
    uint8_t r = 255, g = 255, b = 255, a = 255;
    bool screenSpace = true;
    // Drawn over the curtain (a line that says why the screen goes dark), not under it.
    bool overCurtain = false;
};

class TextRenderer
{
  public:
    static TextRenderer& Get();

    bool LoadFont(const std::string& path);
    void QueueText(const TextRequest& request) { TextQueue.push_back(request); }
    // Width over height of text drawn in a loaded font; 0 for an unknown font or empty text.
    float Aspect(const std::string& fontName, const std::string& text) const;
    void ClearQueue() { TextQueue.clear(); }
    // Every queued text, then the queue is empty.
    void DrawQueued();
    // One of a frame's two passes: the texts under the curtain, then (ending the frame's texts)
    // those over it.
    void DrawQueuedPass(bool overCurtain);
    void RenderText(const TextRequest& request);
    void Release();

    std::map<std::string, TTF_Font*> Fonts;
    // Each font's file, read whole: SDL_ttf reads glyphs from it for the font's life, and a file
    // kept open could not be replaced or removed on Windows while the game runs.
    std::map<std::string, std::unique_ptr<std::string>> FontFiles;
    std::vector<TextRequest> TextQueue;
    int textsDrawn = 0; // requests whose font was found, over the run
    int rasterised = 0; // texts rasterised and uploaded, over the run

  private:
    struct CachedText
    {
        unsigned texture = 0;
        long lastRound = 0;
    };

    TextRenderer();
    const CachedText* Rasterise(TTF_Font* font, const TextRequest& request);
    void DrawQuad(ShaderProgram& program, bool screenSpace, unsigned texture);
    void DropStale();
    void InitGpu();

    std::map<std::string, CachedText> cache_;
    long round_ = 0;
    bool gpuReady_ = false;
    unsigned vertexArray_ = 0;
    unsigned buffer_ = 0;
};
