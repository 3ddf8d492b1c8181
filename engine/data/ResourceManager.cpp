#include "engine/data/ResourceManager.h"

#include <cstdio>

#include <SDL_mixer.h>

#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/TextureLoader.h"

ResourceManager& ResourceManager::Get()
{
    static ResourceManager instance;
    return instance;
}

const char* ResourceManager::KeepName(const std::string& name)
{
    return names_.insert(name).first->c_str();
}

int ResourceManager::GetTexture(const std::string& path)
{
    auto it = TextureIndexes.find(path);
    if (it != TextureIndexes.end()) return it->second;
    if (NextTexture >= kMaxTextures)
    {
        // Texture indexes also pick vertex arrays from a pool of the same size: never beyond.
        LogDataWarning("resources", path.c_str(), "",
                       "more than 500 distinct images; using image 0");
        TextureIndexes[path] = 0;
        return 0;
    }
    int index = NextTexture++;
    TexturePaths[index] = path;
    TextureNames[index] = 0;
    textureFacts_[index] = TextureFacts();
    int pixels = 0;
    textureState_[index] =
        CheckTextureFile(path, &pixels) ? TextureState::Waiting : TextureState::Broken;
    texturePixels_[index] = pixels;
    TextureIndexes[path] = index;
    return index;
}

unsigned ResourceManager::TextureName(int index, bool mipmaps)
{
    if (index < 0 || index >= NextTexture || !Gpu::Enabled()) return 0;
    const size_t i = static_cast<size_t>(index);
    if (textureState_[i] == TextureState::Loaded) return TextureNames[i];
    TextureFacts facts;
    if (textureState_[i] == TextureState::Broken)
    {
        TextureNames[i] = MagentaTexture();
        facts.opaque = true;
    }
    else
    {
        TextureNames[i] = LoadTextureFile(TexturePaths[i], &facts, mipmaps);
    }
    textureFacts_[i] = facts;
    textureState_[i] = TextureState::Loaded;
    return TextureNames[i];
}

int ResourceManager::TexturePixels(int index) const
{
    return index >= 0 && index < NextTexture ? texturePixels_[static_cast<size_t>(index)] : 0;
}

void ResourceManager::ReleaseTexture(int index)
{
    if (index < 0 || index >= NextTexture) return;
    const size_t i = static_cast<size_t>(index);
    if (textureState_[i] != TextureState::Loaded) return;
    // Every texture name is the index's own (a broken image gets its own magenta texel).
    ReleaseTextures(&TextureNames[i], 1);
    TextureNames[i] = 0;
    textureFacts_[i] = TextureFacts();
    textureState_[i] = texturePixels_[i] > 0 ? TextureState::Waiting : TextureState::Broken;
}

bool ResourceManager::TextureOpaque(int index) const
{
    return TextureFactsOf(index).opaque;
}

const TextureFacts& ResourceManager::TextureFactsOf(int index) const
{
    static const TextureFacts unknown;
    if (index < 0 || index >= NextTexture) return unknown;
    return textureFacts_[static_cast<size_t>(index)];
}

Mix_Chunk* ResourceManager::GetSound(const std::string& path)
{
    auto it = Sounds.find(path);
    if (it != Sounds.end() && it->second) return it->second;
    Mix_Chunk* chunk = nullptr;
    std::string full = Files::DataPath(path);
    SDL_RWops* rw = Files::IsDataPath(path) ? SDL_RWFromFile(full.c_str(), "rb") : nullptr;
    if (rw)
        chunk = Mix_LoadWAV_RW(rw, 1);
    else
        SDL_SetError("%s: cannot open", path.c_str());
    Sounds[path] = chunk;
    if (!chunk) LogPrintf("Mix_LoadWAV: %s\n", Mix_GetError());
    return chunk;
}

const rapidjson::Document* ResourceManager::AddDocument(const std::string& path,
                                                        const std::string& text)
{
    auto doc = std::make_unique<rapidjson::Document>();
    std::string error;
    const rapidjson::Document* result = nullptr;
    if (ParseJson(text, *doc, &error))
        result = doc.get();
    else
        LogDataWarning("resources", path.c_str(), "", ("not JSON: " + error).c_str());
    if (!result) doc.reset();
    LogPrintf("Add new Docment : %s\n", path.c_str());
    Documents[path] = std::move(doc);
    return result;
}

const rapidjson::Document* ResourceManager::GetDocument(const std::string& path)
{
    auto it = Documents.find(path);
    if (it != Documents.end()) return it->second.get();
    std::string text;
    if (!Files::ReadDataFile(path, text))
    {
        LogDataWarning("resources", path.c_str(), "", "missing, unreadable or too large");
        Documents[path] = nullptr;
        return nullptr;
    }
    return AddDocument(path, text);
}

void ResourceManager::PreLoad()
{
    const char* listPath = "System/PreLoad.json";
    const rapidjson::Document* list = GetDocument(listPath);
    if (!list) return;
    JsonView view(list, listPath);
    if (!view.IsArray())
    {
        view.Warn("expected an array of archetype file names");
        return;
    }
    for (size_t i = 0; i < view.Size(); ++i)
    {
        std::string name = view.At(i).AsString("");
        if (name.empty()) continue;
        LogPrintf("%s\n", name.c_str());
        GetDocument("GameData/GameObjects/" + name);
    }
}

void ResourceManager::Release()
{
    ReleaseTextures(TextureNames.data(), NextTexture);
    TextureNames.fill(0);
    textureFacts_.fill(TextureFacts());
    texturePixels_.fill(0);
    textureState_.fill(TextureState::Waiting);
    for (std::string& p : TexturePaths) p.clear();
    NextTexture = 0;
    TextureIndexes.clear();
    for (auto& s : Sounds)
        if (s.second) Mix_FreeChunk(s.second);
    Sounds.clear();
    Documents.clear();
}
