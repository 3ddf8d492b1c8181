// ResourceManager: loads each document, texture and sound once and hands out the cached result.
// Keys are the paths exactly as callers pass them, relative to the data root.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <rapidjson/document.h>

#include "engine/graphics/TextureLoader.h"

struct Mix_Chunk;

class ResourceManager
{
  public:
    static constexpr int kMaxTextures = 500;
    static ResourceManager& Get();

    // Texture index (0..kMaxTextures-1) for an image path. The first time, the image's header
    // is checked (and reported if broken); its pixels wait for TextureName.
    int GetTexture(const std::string& path);
    // The GL texture at an index, decoded and uploaded on the first call: a level's menus and
    // pictures that are never shown cost neither load time nor memory. 0 without a GPU.
    // Pixel art sampled nearest never reads smaller levels: the first draw of a texture
    // decides whether it gets them (mipmaps false leaves them out).
    unsigned TextureName(int index, bool mipmaps = true);
    // Every pixel of the texture has alpha 255 (known once TextureName has loaded it).
    bool TextureOpaque(int index) const;
    // What the texture's pixels are like (opacity, the part that shows, size); the defaults
    // (not opaque, the whole, size unknown) until TextureName has loaded it.
    const TextureFacts& TextureFactsOf(int index) const;
    // Width x height from the image's header (0 when broken or unknown).
    int TexturePixels(int index) const;
    // Lets go of a loaded texture (a picture that will not be shown again, such as a splash
    // slide already seen); a later TextureName loads it again.
    void ReleaseTexture(int index);
    // Sample for a sound path; nullptr when it cannot be loaded (tried again next time).
    Mix_Chunk* GetSound(const std::string& path);
    // Parsed document for a JSON path; nullptr when the file is missing or not JSON (reported
    // once; the failure is cached too).
    const rapidjson::Document* GetDocument(const std::string& path);
    // Parses text as if it were the file `path` and caches it (tests and fuzzing).
    const rapidjson::Document* AddDocument(const std::string& path, const std::string& text);
    // Warms the document cache from "System/PreLoad.json".
    void PreLoad();
    // A stable copy of a name, for messages that outlive the caller's string.
    const char* KeepName(const std::string& name);
    // Frees textures, samples and documents (shutdown; tests).
    void Release();

    std::array<unsigned, kMaxTextures> TextureNames{};
    std::array<std::string, kMaxTextures> TexturePaths{};
    int NextTexture = 0;
    std::map<std::string, int> TextureIndexes;
    std::map<std::string, Mix_Chunk*> Sounds;
    std::map<std::string, std::unique_ptr<rapidjson::Document>> Documents;

  private:
    ResourceManager() = default;
    enum class TextureState : unsigned char
    {
        Waiting,
        Broken,
        Loaded
    };
    std::array<TextureState, kMaxTextures> textureState_{};
    std::array<TextureFacts, kMaxTextures> textureFacts_{};
    std::array<int, kMaxTextures> texturePixels_{};
    std::set<std::string> names_;
};
