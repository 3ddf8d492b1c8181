#include "engine/core/ScriptedInput.h"

#include <algorithm>
#include <cstring>

#include "engine/core/InputManager.h"
#include "engine/core/WindowManager.h"
#include "engine/data/FileSystem.h"
#include "engine/data/Json.h"

namespace
{
bool KeyEvent(const JsonView& e, SDL_Event& out, std::string& error)
{
    std::string key;
    if (!e.Read("key", key))
    {
        error = "needs a \"key\" name";
        return false;
    }
    SDL_Scancode sc = SDL_GetScancodeFromName(key.c_str());
    if (sc == SDL_SCANCODE_UNKNOWN)
    {
        error = "unknown key \"" + key + "\"";
        return false;
    }
    out.key.keysym.scancode = sc;
    out.key.keysym.sym = SDL_GetKeyFromScancode(sc);
    out.key.state = out.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return true;
}

bool MouseButton(const JsonView& e, SDL_Event& out, std::string& error)
{
    std::string b = e["button"].AsString("", false);
    if (b == "left")
        out.button.button = SDL_BUTTON_LEFT;
    else if (b == "right")
        out.button.button = SDL_BUTTON_RIGHT;
    else
    {
        error = "\"button\" must be \"left\" or \"right\"";
        return false;
    }
    return true;
}

bool PadButton(const JsonView& e, SDL_Event& out, std::string& error)
{
    static const char* names[] = {"A",  "B",       "X",         "Y",         "BACK",
                                  "",   "START",   "L3",        "R3",        "LT",
                                  "RT", "DPAD_UP", "DPAD_DOWN", "DPAD_LEFT", "DPAD_RIGHT"};
    std::string b = e["button"].AsString("", false);
    for (int i = 0; i < static_cast<int>(sizeof names / sizeof names[0]); ++i)
        if (!b.empty() && b == names[i])
        {
            out.cbutton.button = static_cast<Uint8>(i);
            out.cbutton.which = kScriptedDevice;
            return true;
        }
    error = "unknown controller button \"" + b + "\"";
    return false;
}

bool WindowEvent(const JsonView& e, SDL_Event& out, std::string& error)
{
    std::string w = e["event"].AsString("", false);
    if (w == "focuslost")
        out.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    else if (w == "hidden")
        out.window.event = SDL_WINDOWEVENT_HIDDEN;
    else if (w == "minimized")
        out.window.event = SDL_WINDOWEVENT_MINIMIZED;
    else if (w == "enter")
        out.window.event = SDL_WINDOWEVENT_ENTER;
    else if (w == "close")
        out.window.event = SDL_WINDOWEVENT_CLOSE;
    else
    {
        error = "unknown window event \"" + w + "\"";
        return false;
    }
    return true;
}

bool Number(const JsonView& e, const char* key, long lo, long hi, long& out, std::string& error)
{
    JsonView v = e[key];
    if (!v.IsNumber() || v.Raw()->GetDouble() < lo || v.Raw()->GetDouble() > hi)
    {
        error = std::string("\"") + key + "\" must be a number from " + std::to_string(lo) +
                " to " + std::to_string(hi);
        return false;
    }
    out = static_cast<long>(v.Raw()->GetDouble());
    return true;
}

bool BuildEvent(const JsonView& e, SDL_Event& out, std::string& error)
{
    std::memset(&out, 0, sizeof out);
    std::string type = e["type"].AsString("", false);
    long a = 0, b = 0;
    if (type == "keydown" || type == "keyup")
    {
        out.type = type == "keydown" ? SDL_KEYDOWN : SDL_KEYUP;
        return KeyEvent(e, out, error);
    }
    if (type == "mousemove")
    {
        out.type = SDL_MOUSEMOTION;
        if (!Number(e, "x", -100000, 100000, a, error) ||
            !Number(e, "y", -100000, 100000, b, error))
            return false;
        out.motion.x = static_cast<Sint32>(a);
        out.motion.y = static_cast<Sint32>(b);
        return true;
    }
    if (type == "mousedown" || type == "mouseup")
    {
        out.type = type == "mousedown" ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        return MouseButton(e, out, error);
    }
    if (type == "buttondown" || type == "buttonup")
    {
        out.type = type == "buttondown" ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        return PadButton(e, out, error);
    }
    if (type == "axis")
    {
        out.type = SDL_CONTROLLERAXISMOTION;
        if (!Number(e, "axis", 0, 5, a, error) || !Number(e, "value", -32768, 32767, b, error))
            return false;
        out.caxis.axis = static_cast<Uint8>(a);
        out.caxis.value = static_cast<Sint16>(b);
        out.caxis.which = kScriptedDevice;
        return true;
    }
    if (type == "controller")
    {
        JsonView c = e["connected"];
        if (!c.IsBool())
        {
            error = "\"connected\" must be true or false";
            return false;
        }
        out.type = c.AsBool(false) ? SDL_CONTROLLERDEVICEADDED : SDL_CONTROLLERDEVICEREMOVED;
        out.cdevice.which = kScriptedDevice;
        return true;
    }
    if (type == "window")
    {
        out.type = SDL_WINDOWEVENT;
        return WindowEvent(e, out, error);
    }
    if (type == "quit")
    {
        out.type = SDL_QUIT;
        return true;
    }
    error = "unknown \"type\" \"" + type + "\"";
    return false;
}
bool ReadReferenceSize(const JsonView& root, int& width, int& height, std::string& error)
{
    JsonView size = root["Size"];
    long w = 0, h = 0;
    if (!size.IsArray() || size.Size() != 2 || !size.At(0).IsNumber() || !size.At(1).IsNumber() ||
        (w = static_cast<long>(size.At(0).AsFloat(0))) < 1 || w > 100000 ||
        (h = static_cast<long>(size.At(1).AsFloat(0))) < 1 || h > 100000)
    {
        error = "\"Size\" must be two window dimensions [width, height]";
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
} // namespace

bool ScriptedInput::LoadText(const std::string& text, const std::string& fileName,
                             std::string& error)
{
    events_.clear();
    next_ = 0;
    refWidth_ = refHeight_ = 0;
    rapidjson::Document doc;
    std::string parseError;
    if (!ParseJson(text, doc, &parseError))
    {
        error = fileName + ": not JSON (" + parseError + ")";
        return false;
    }
    JsonView root(&doc, fileName.c_str());
    if (root.IsObject() && !ReadReferenceSize(root, refWidth_, refHeight_, error))
    {
        error = fileName + ": " + error;
        return false;
    }
    JsonView list = root.IsObject() ? root["Events"] : root;
    if (!list.IsArray())
    {
        error = fileName + ": expected an array of events";
        return false;
    }
    if (!ReadEvents(list, fileName, error)) return false;
    std::stable_sort(events_.begin(), events_.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b)
                     { return a.frame < b.frame; });
    return true;
}

bool ScriptedInput::ReadEvents(const JsonView& list, const std::string& fileName,
                               std::string& error)
{
    for (size_t i = 0; i < list.Size(); ++i)
    {
        JsonView e = list.At(i);
        long frame = 0;
        std::string why;
        SDL_Event ev;
        if (!e.IsObject())
            why = "expected an object";
        else if (Number(e, "frame", 1, 1L << 30, frame, why))
            BuildEvent(e, ev, why);
        if (!why.empty())
        {
            error = fileName + ": event " + std::to_string(i) + ": " + why;
            events_.clear();
            return false;
        }
        events_.push_back({frame, ev});
    }
    return true;
}

bool ScriptedInput::LoadFile(const std::string& path, std::string& error)
{
    std::string text;
    if (!Files::ReadFile(path, text))
    {
        error = path + ": cannot read the input script";
        return false;
    }
    return LoadText(text, path, error);
}

void ScriptedInput::Deliver(long frame)
{
    while (next_ < events_.size() && events_[next_].frame <= frame)
    {
        if (events_[next_].frame == frame)
        {
            SDL_Event ev = events_[next_].event;
            if (ev.type == SDL_MOUSEMOTION && refWidth_ > 0) ScaleToWindow(ev);
            InputManager::Get().Inject(ev);
        }
        ++next_;
    }
}

void ScriptedInput::ScaleToWindow(SDL_Event& ev) const
{
    // Rounded to the nearest pixel: a script written for this very size is delivered unchanged.
    const WindowManager& window = WindowManager::Get();
    const long w = window.width > 0 ? window.width : refWidth_;
    const long h = window.height > 0 ? window.height : refHeight_;
    ev.motion.x = static_cast<Sint32>((2 * ev.motion.x * w + refWidth_) / (2L * refWidth_));
    ev.motion.y = static_cast<Sint32>((2 * ev.motion.y * h + refHeight_) / (2L * refHeight_));
}
