#include "engine/core/Settings.h"

#include "engine/core/AudioSettings.h"
#include "engine/core/Engine.h"
#include "engine/core/Log.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"

namespace
{
const char* const kFileName = "settings.json";
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
    s.muteMusic = AudioSettings::Get().muteMusic;
    s.muteAll = AudioSettings::Get().muteAll;
    return s;
}

void ApplyAudioSettings(const GameSettings& settings)
{
    AudioSettings::Get().muteMusic = settings.muteMusic;
    AudioSettings::Get().muteAll = settings.muteAll;
}

bool SaveCurrentSettings()
{
    return SaveSettings(Engine::Get().prefPath, CurrentSettings());
}
