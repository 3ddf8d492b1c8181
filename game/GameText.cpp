#include "game/GameText.h"

#include "engine/graphics/TextRenderer.h"

void DrawWorldText(const char* text, const glm::vec3& position, const glm::vec3& scale, uint8_t r,
                   uint8_t g, uint8_t b, const char* font)
{
    TextRequest request;
    request.fontName = font;
    request.position = position;
    request.scale = scale;
    request.text = text;
    request.r = r;
    request.g = g;
    request.b = b;
    request.screenSpace = false;
    TextRenderer::Get().QueueText(request);
}
