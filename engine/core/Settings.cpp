#include "engine/core/Settings.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/Log.h"
#include "engine/core/WindowManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"

namespace
{
const char* const kFileName = "settings.json";

// A volume key: a whole percent from 0 to 100, taken to the nearest step of 10.
void ReadVolume(const JsonView& view, const char* key, int& out)
{
    int value = out;
    if (!view.Read(key, value)) return;
    if (value < 0 || value > 100)
    {
        view[key].Warn("expected a volume from 0 to 100; the default is kept");
        return;
    }
    out = (value + 5) / 10 * 10;
}

// The window's place: all four numbers, a sensible size, or none of it.
void ReadWindow(const JsonView& view, GameSettings& settings)
{
    const char* const keys[] = {"WindowX", "WindowY", "WindowWidth", "WindowHeight"};
    int values[4] = {0, 0, 0, 0};
    int found = 0;
    for (int i = 0; i < 4; ++i) found += view.Read(keys[i], values[i]) ? 1 : 0;
    if (found == 0) return;
    const int kMin = 160, kMax = 32768;
    bool sane = found == 4 && values[2] >= kMin && values[2] <= kMax && values[3] >= kMin &&
                values[3] <= kMax && values[0] > -kMax && values[0] < kMax && values[1] > -kMax &&
                values[1] < kMax;
    if (!sane)
    {
        view.Warn("\"WindowX\", \"WindowY\", \"WindowWidth\", \"WindowHeight\": not a window's "
                  "place; the window opens centred");
        return;
    }
    settings.windowX = values[0];
    settings.windowY = values[1];
    settings.windowWidth = values[2];
    settings.windowHeight = values[3];
}
} // namespace

GameSettings LoadSettings(const std::string& prefPath)
{
    GameSettings settings;
    if (prefPath.empty()) return settings;
    std::string path = prefPath + kFileName;
    std::string text;
    if (!Files::ReadFile(path, text, 64 * 1024)) return settings;
    return ParseSettings(text, path);
}

GameSettings ParseSettings(const std::string& text, const std::string& path)
{
    GameSettings settings;
    rapidjson::Document doc;
    std::string error;
    if (!ParseJson(text, doc, &error) || !doc.IsObject())
    {
        LogLine("settings: %s: not a JSON object (%s); using the defaults", path.c_str(),
                error.empty() ? "wrong shape" : error.c_str());
        return settings;
    }
    JsonView view(&doc, path.c_str());
    view.Read("FullScreen", settings.fullScreen);
    view.Read("MuteMusic", settings.muteMusic);
    view.Read("MuteAll", settings.muteAll);
    ReadVolume(view, "MusicVolume", settings.musicVolume);
    ReadVolume(view, "EffectsVolume", settings.effectsVolume);
    ReadWindow(view, settings);
    return settings;
}

bool SaveSettings(const std::string& prefPath, const GameSettings& settings)
{
    if (prefPath.empty()) return false;
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    InitJsonWriter(w);
    w.StartObject();
    w.Key("FullScreen");
    w.Bool(settings.fullScreen);
    w.Key("MuteMusic");
    w.Bool(settings.muteMusic);
    w.Key("MuteAll");
    w.Bool(settings.muteAll);
    w.Key("MusicVolume");
    w.Int(settings.musicVolume);
    w.Key("EffectsVolume");
    w.Int(settings.effectsVolume);
    if (settings.windowWidth > 0)
    {
        const char* const keys[] = {"WindowX", "WindowY", "WindowWidth", "WindowHeight"};
        const int values[] = {settings.windowX, settings.windowY, settings.windowWidth,
                              settings.windowHeight};
        for (int i = 0; i < 4; ++i)
        {
            w.Key(keys[i]);
            w.Int(values[i]);
        }
    }
    w.EndObject();
    std::string path = prefPath + kFileName;
    if (Files::WriteFileAtomic(path, std::string(buffer.GetString(), buffer.GetSize()) + "\n"))
        return true;
    LogLine("settings: %s: cannot write; the options last only this run", path.c_str());
    return false;
}

GameSettings CurrentSettings()
{
    GameSettings s;
    s.fullScreen = Engine::Get().fullscreen;
    AudioSettings& audio = AudioSettings::Get();
    s.muteMusic = audio.muteMusic;
    s.muteAll = audio.muteAll;
    s.musicVolume = audio.MusicPercent();
    s.effectsVolume = audio.EffectsPercent();
    const SDL_Rect& place = WindowManager::Get().windowed;
    if (place.w > 0 && place.h > 0)
    {
        s.windowX = place.x;
        s.windowY = place.y;
        s.windowWidth = place.w;
        s.windowHeight = place.h;
    }
    return s;
}

void ApplyAudioSettings(const GameSettings& settings)
{
    AudioSettings& audio = AudioSettings::Get();
    audio.muteMusic = settings.muteMusic;
    audio.muteAll = settings.muteAll;
    audio.SetMusicPercent(settings.musicVolume);
    audio.SetEffectsPercent(settings.effectsVolume);
}

bool SaveCurrentSettings()
{
    return SaveSettings(Engine::Get().prefPath, CurrentSettings());
}
