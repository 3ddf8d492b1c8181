#include "engine/core/Engine.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "engine/core/AudioSettings.h"
#include "engine/core/CameraManager.h"
#include "engine/core/EditorHooks.h"
#include "engine/core/EventManager.h"
#include "engine/core/FrameRateController.h"
#include "engine/core/GameHooks.h"
#include "engine/core/GameRoles.h"
#include "engine/core/InputManager.h"
#include "engine/core/Log.h"
#include "engine/core/Random.h"
#include "engine/core/Settings.h"
#include "engine/core/StartupClock.h"
#include "engine/core/StateDump.h"
#include "engine/core/WindowManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/LevelManager.h"
#include "engine/data/ResourceManager.h"
#include "engine/graphics/Gpu.h"
#include "engine/graphics/GraphicsManager.h"
#include "engine/graphics/TextRenderer.h"
#include "engine/objects/GameObjectManager.h"
#include "engine/objects/Transform.h"
#include "engine/physics/PhysicsManager.h"

namespace
{
} // namespace

Engine& Engine::Get()
{
    static Engine instance;
    return instance;
}

bool Engine::OpenPlatform()
{
    if (options_.headless)
    {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // A headless run opens no audio at all: even SDL's dummy device runs a thread that costs a
    // third of a second to join at exit, paid by every test and replay.
    Uint32 audio = options_.headless ? 0 : SDL_INIT_AUDIO;
    if (SDL_Init(SDL_INIT_TIMER | audio | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_HAPTIC |
                 SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0)
    {
        // A machine without haptics or audio still plays.
        LogPrintf("platform: %s; trying with fewer subsystems\n", SDL_GetError());
        if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        {
            LogFatal("platform: cannot start SDL: %s", SDL_GetError());
            return false;
        }
        if (audio) SDL_InitSubSystem(audio);
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    platformOpen_ = true;
    StartupMark("platform");
    LogPrintf("%s\n", prefPath.c_str());
    GameSettings settings = LoadSettings(prefPath);
    ApplyAudioSettings(settings);
    WindowManager& window = WindowManager::Get();
    window.windowed =
        SDL_Rect{settings.windowX, settings.windowY, settings.windowWidth, settings.windowHeight};
    if (!options_.headless)
    {
        // --windowed is a developer's run at a chosen size; the player's choice rules otherwise.
        fullscreen = !options_.windowed && settings.fullScreen;
        // A blank window that runs on helps nobody: without its GL context the game stops.
        if (!window.Open(fullscreen, options_.width, options_.height)) return false;
        if (!options_.windowed && !fullscreen) window.SetFullscreen(false);
        // Mostly the graphics driver loading itself: its libraries, its screen, the context.
        StartupMark("window");
    }
    else
    {
        window.width = options_.width;
        window.height = options_.height;
    }
    Gpu::SetEnabled(window.glContext != nullptr);
    return true;
}

bool Engine::ChooseDataRoot()
{
    std::error_code ec;
    if (!options_.dataDir.empty())
    {
        if (std::filesystem::is_directory(options_.dataDir, ec))
        {
            Files::SetDataRoot(options_.dataDir);
            LogLine("data: reading the game's data from %s", Files::DataRoot().c_str());
            return true;
        }
        LogFatal("data: the data folder %s given with --data does not exist",
                 options_.dataDir.c_str());
        return false;
    }
    std::vector<std::string> lookedIn;
    std::string root = Files::FindDataRoot(&lookedIn);
    if (!root.empty())
    {
        Files::SetDataRoot(root);
        // Which copy of the data a run read: the first thing to know about a bug report.
        LogLine("data: reading the game's data from %s", Files::DataRoot().c_str());
        return true;
    }
    std::string places;
    for (const std::string& place : lookedIn) places += (places.empty() ? "" : ", ") + place;
    LogFatal("data: the game's data folder was not found; looked in %s; name it with --data DIR",
             places.c_str());
    return false;
}

bool Engine::LoadFonts()
{
    TextRenderer& text = TextRenderer::Get();
    for (const std::string& font : Roles().fonts)
    {
        if (!text.LoadFont(font))
        {
            LogPrintf("ERROR LOADING FONT! EXITING!\n");
            LogFatal("data: cannot open the font %s%s; the game cannot start without it",
                     Files::DataRoot().c_str(), font.c_str());
            return false;
        }
    }
    return true;
}

int Engine::Init(const RunOptions& options)
{
    options_ = options;
    StartupClockReset();
    AllowFatalMessageBox(!options.headless);
    if (!options.prefDir.empty())
    {
        std::error_code ec;
        std::filesystem::create_directories(Files::NativePath(options.prefDir), ec);
        prefPath = options.prefDir;
        if (prefPath.back() != '/' && prefPath.back() != '\\') prefPath += '/';
    }
    else if (char* pref = SDL_GetPrefPath("Corvane", "Bellrun"))
    {
        prefPath = pref;
        SDL_free(pref);
    }
    // The last run's log, replaced: what a player attaches to a bug report.
    if (options.writeLog && !prefPath.empty()) OpenLogFile(prefPath + "bellrun.log");
    Random::Seed(options.seedGiven ? options.seed : Random::kDefaultSeed);
    if (!ChooseDataRoot()) return 1;
    if (!options.inputFile.empty())
    {
        std::string error;
        if (!script_.LoadFile(options.inputFile, error))
        {
            LogPrintf("input: %s\n", error.c_str());
            return 2;
        }
    }
    StartupMark("data root");
    if (!OpenPlatform()) return 1;
    InputManager::Get().TakeKeyboardSnapshot();
    InputManager::Get().OpenControllers(prefPath);
    Editor().Start();
    StartupMark("input, editor");
    ResourceManager::Get().PreLoad();
    StartupMark("preload");
    if (!options.headless) AudioSettings::Get().Open();
    StartupMark("audio");
    // The shader programs; the first level request would make them anyway.
    GraphicsManager::Get();
    StartupMark("shaders");
    LevelManager& levels = LevelManager::Get();
    if (!options.level.empty())
    {
        if (!levels.GoToLevel(options.level))
        {
            LogPrintf("level: \"%s\" is not in System/LevelList.json\n", options.level.c_str());
            return 2;
        }
    }
    else
    {
        levels.GoToFirstLevel();
    }
    StartupMark("levels, music");
    if (!LoadFonts()) return 1;
    StartupMark("fonts");
    Editor().SetOpen(options.editor);
    started_ = true;
    return 0;
}

void Engine::Run()
{
    while (running)
    {
        while (levelActive) RunFrame();
        if (!running) break;
        LevelManager::Get().LoadLevel();
        levelActive = true;
    }
}

void Engine::Step()
{
    if (!running) return;
    RunFrame();
    if (!levelActive && running)
    {
        LevelManager::Get().LoadLevel();
        levelActive = true;
    }
}

void Engine::ShowQuitConfirmation()
{
    GameObjectManager& objects = GameObjectManager::Get();
    bool hasConfirm = false;
    objects.ForEachActive(kLayerMenu, [&hasConfirm](GameObject& obj)
                          { hasConfirm = hasConfirm || obj.name == Roles().quitMenu; });
    if (!hasConfirm)
    {
        // A level without the confirmation (a test level, a bare data root) has nothing to
        // answer with: quit at once rather than freeze on a blank pause.
        running = false;
        levelActive = false;
        return;
    }
    CameraManager::Get().paused = true;
    objects.paused = true;
    objects.ShowMenu(Roles().quitMenu);
}

void Engine::DebugKeys()
{
    Hooks().DeveloperKeys();
}

void Engine::PauseKey()
{
    InputManager& input = InputManager::Get();
    bool fired = input.IsKeyTriggered("Escape") || input.IsButtonTriggered("START");
    if (!fired || PauseOffHere()) return;
    GameObjectManager& objects = GameObjectManager::Get();
    AudioSettings& audio = AudioSettings::Get();
    objects.TogglePause();
    bool loud = !audio.muteMusic && !audio.muteAll;
    if (objects.paused)
    {
        input.UseArrowCursor();
        if (loud) audio.SetMusicVolume(50);
        return;
    }
    objects.ResetMenusForPlay();
    if (loud) audio.SetMusicVolume(128);
    if (input.controllerConnected)
        input.HideCursorForPlay();
    else
        input.UseArrowCursor();
}

void Engine::CameraFollow()
{
    GameObject* player = GameObjectManager::Get().Player();
    Camera* camera = CameraManager::Get().GetCurrentCamera();
    if (Editor().Open() || !player || !camera) return;
    Transform* t = player->Get<Transform>();
    if (!t) return;
    camera->target.x = ClampUpperFirst(t->position.x, camera->min.x, camera->max.x);
    camera->target.y = ClampUpperFirst(t->position.y + 2.5f, camera->min.y, camera->max.y);
}

void Engine::RunFrame()
{
    FrameRateController& clock = FrameRateController::Get();
    GameObjectManager& objects = GameObjectManager::Get();
    WindowManager& window = WindowManager::Get();
    clock.BeginFrame();
    ++framesRun_;
    script_.Deliver(framesRun_);
    InputManager::Get().Update();
    if (InputManager::Get().event.type == SDL_QUIT) ShowQuitConfirmation();
    DebugKeys();
    Editor().Frame();
    PauseKey();
    menuActionPending = false;
    window.RefreshSize();
    GraphicsManager::Get().BeginFrame(window.width, window.height);
    TextRenderer::Get().ClearQueue();
    bool simulate = Editor().SimulationRunning();
    if (simulate) objects.UpdateAll();
    EventManager::Get().Update();
    objects.ProcessDestroyQueue();
    if (simulate)
    {
        PhysicsManager::Get().CollideMap();
        // Contacts are game effects (the meter, catching, hiding, pick-ups): none while paused.
        if (!objects.paused) PhysicsManager::Get().CollideBodies();
    }
    CameraFollow();
    CameraManager::Get().Update();
    objects.DrawScene(); // the queued texts too, under the curtain
    Editor().Draw();
    FinishFrame();
}

void Engine::FinishFrame()
{
    FrameRateController& clock = FrameRateController::Get();
    bool lastFrame = options_.frames >= 0 && framesRun_ >= options_.frames;
    if (lastFrame && !options_.screenshot.empty())
        GraphicsManager::Get().SaveScreenshot(options_.screenshot);
    WindowManager::Get().Swap();
    if (options_.headless || options_.fixedClock)
        clock.EndVirtualFrame();
    else
        clock.EndFrame(true);
    if (LevelManager::Get().levelChangePending) levelActive = false;
    if (lastFrame)
    {
        running = false;
        levelActive = false;
    }
}

void Engine::Shutdown()
{
    if (started_ && !options_.dumpFile.empty()) WriteStateDump(options_.dumpFile);
    // The player's window comes back where it was left; a developer's --windowed run is not
    // the player's window.
    if (started_ && !options_.headless && !options_.windowed && !fullscreen &&
        WindowManager::Get().window)
    {
        WindowManager::Get().RememberWindowed();
        SaveCurrentSettings();
    }
    // Stopped before the platform was up (no data folder): there is nothing to release, and
    // the managers must not be created now just to be let go.
    if (!platformOpen_)
    {
        CloseLogFile();
        return;
    }
    platformOpen_ = false;
    // Fonts are closed before the library they came from goes away.
    TextRenderer::Get().Release();
    TTF_Quit();
    ResourceManager::Get().Release();
    GraphicsManager::Get().Release();
    AudioSettings::Get().Close();
    GameObjectManager::Get().DestroyAllObjects();
    WindowManager::Get().Close();
    SDL_Quit();
    CloseLogFile();
}
