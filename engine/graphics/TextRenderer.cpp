#include "engine/graphics/TextRenderer.h"

#include <cstdio>

#include <SDL_ttf.h>

#include "engine/data/FileSystem.h"

TextRenderer& TextRenderer::Get()
{
    static TextRenderer instance;
    return instance;
}

TextRenderer::TextRenderer()
{
    if (TTF_WasInit() == 0 && TTF_Init() != 0) std::printf("*** Error initializing SDL_ttf ***\n");
}

bool TextRenderer::LoadFont(const std::string& path)
{
    TTF_Font* font = TTF_OpenFont(Files::DataPath(path).c_str(), 72);
    if (!font)
    {
        std::printf("*** Error initializing TTF_Font %s ***\n", path.c_str());
        return false;
    }
    Fonts[path] = font;
    return true;
}

void TextRenderer::DrawQueued()
{
    for (const TextRequest& r : TextQueue) RenderText(r);
    TextQueue.clear();
}

void TextRenderer::RenderText(const TextRequest&) {}

void TextRenderer::Release()
{
    if (TTF_WasInit())
        for (auto& f : Fonts) TTF_CloseFont(f.second);
    Fonts.clear();
}
