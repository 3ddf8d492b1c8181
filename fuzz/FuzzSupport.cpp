#include "fuzz/FuzzSupport.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include <SDL_mixer.h>

#include "engine/core/CameraManager.h"
#include "engine/core/Engine.h"
#include "engine/core/EventManager.h"
#include "engine/core/InputManager.h"
#include "engine/data/LevelManager.h"
#include "engine/data/MapManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/objects/GameObjectManager.h"
#include "game/GameRegistration.h"

namespace
{
std::set<std::string> g_documents, g_textures, g_sounds;
int g_nextTexture = 0;
std::vector<std::string> g_levels;
bool g_started = false;
// Set by Begin, cleared by a reset: an input already cleared by End is not cleared again.
bool g_dirty = false;

template <typename Map> std::set<std::string> Keys(const Map& map)
{
    std::set<std::string> keys;
    for (const auto& entry : map) keys.insert(entry.first);
    return keys;
}

std::string DataRoot()
{
    if (const char* dir = std::getenv("BELLRUN_DATA")) return dir;
    return BELLRUN_SOURCE_DIR "/data";
}

std::string g_home;

void RemoveHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_home, ignored);
}

// A fresh preference folder under the temp folder, so saves and settings written by the inputs
// never reach the user's own.
std::string MakeTempPrefFolder()
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec) /
                                ("bellrun-fuzz-" + std::to_string(SDL_GetPerformanceCounter()));
    std::filesystem::create_directories(dir, ec);
    g_home = dir.string();
    std::atexit(RemoveHome);
    return g_home;
}
// Drops the entries an input added to a cache. The caches only grow, so an unchanged size means
// there are none.
template <typename Map, typename Release>
void DropAdded(Map& map, const std::set<std::string>& kept, Release release)
{
    if (map.size() == kept.size()) return;
    for (auto it = map.begin(); it != map.end();)
    {
        if (kept.count(it->first))
        {
            ++it;
            continue;
        }
        release(it->second);
        it = map.erase(it);
    }
}

// Everything the last input built goes; the shipped documents and textures stay cached.
void ResetWorld()
{
    GameObjectManager::Get().DestroyAllObjects();
    GameObjectManager::Get().paused = false;
    EventManager::Get().ClearAll();
    CameraManager::Get().cameras.clear();
    CameraManager::Get().current = 0;
    MapManager::Get().Clear();
    LevelManager& levels = LevelManager::Get();
    levels.levels = g_levels;
    levels.current = levels.first = 0;
    levels.wrapEntry = g_levels.size() >= 2 ? g_levels.size() - 2 : 0;
    levels.levelChangePending = levels.loadFromSave = false;
    InputManager::Get().Reset();
    Engine& engine = Engine::Get();
    engine.running = engine.levelActive = true;
    ResourceManager& resources = ResourceManager::Get();
    DropAdded(resources.Documents, g_documents, [](auto&) {});
    DropAdded(resources.TextureIndexes, g_textures, [](auto&) {});
    resources.NextTexture = g_nextTexture;
    DropAdded(resources.Sounds, g_sounds,
              [](Mix_Chunk* chunk)
              {
                  if (chunk) Mix_FreeChunk(chunk);
              });
}
} // namespace

void Fuzz::End()
{
    if (!g_dirty) return;
    ResetWorld();
    g_dirty = false;
}

void Fuzz::Begin()
{
    if (g_started)
    {
        if (g_dirty) ResetWorld();
        g_dirty = true;
        return;
    }
    g_started = true;
    RegisterGame();
    RunOptions options;
    options.headless = true;
    options.prefDir = MakeTempPrefFolder();
    options.dataDir = DataRoot();
    if (Engine::Get().Init(options) != 0) std::abort();
    // The first frame loads the title level; the inputs start from an empty world after it.
    Engine::Get().Step();
    ResourceManager& resources = ResourceManager::Get();
    g_documents = Keys(resources.Documents);
    g_textures = Keys(resources.TextureIndexes);
    g_sounds = Keys(resources.Sounds);
    g_nextTexture = resources.NextTexture;
    g_levels = LevelManager::Get().levels;
    ResetWorld();
    g_dirty = true;
    // Registered after every manager Shutdown touches was built, so it runs before they go;
    // without it the fonts and the world would be reported as leaks at exit.
    std::atexit([] { Engine::Get().Shutdown(); });
}

void Fuzz::Frames(int n)
{
    for (int i = 0; i < n && Engine::Get().running; ++i) Engine::Get().Step();
}

std::string Fuzz::Text(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

namespace
{
std::map<std::string, Fuzz::Target>& Targets()
{
    static std::map<std::string, Fuzz::Target> targets;
    return targets;
}
} // namespace

bool Fuzz::Register(const char* name, Target target)
{
    Targets()[name] = target;
    return true;
}

Fuzz::Target Fuzz::Find(const std::string& name)
{
    auto it = Targets().find(name);
    return it == Targets().end() ? nullptr : it->second;
}
