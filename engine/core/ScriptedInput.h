// ScriptedInput: platform events read from a JSON file and delivered at the start of named
// frames, exactly as if the platform had sent them. Tests, benchmarks and replays stand on it.
//
// File: [{"frame": N, "type": T, ...}, ...], frame 1 being the first. Types: "keydown"/"keyup"
// ("key"), "mousemove" ("x", "y"), "mousedown"/"mouseup" ("button": "left"|"right"),
// "buttondown"/"buttonup" ("button": a controller button name), "axis" ("axis" 0-3, "value"),
// "controller" ("connected"), "window" ("event": "focuslost"|"hidden"|"minimized"|"enter"|
// "close"), "quit".
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

struct ScriptedEvent
{
    long frame;
    SDL_Event event;
};

class ScriptedInput
{
  public:
    // Parses a script. False with a message naming the entry when any entry is malformed.
    bool LoadText(const std::string& text, const std::string& fileName, std::string& error);
    bool LoadFile(const std::string& path, std::string& error);
    // Hands the events of this frame to the input manager.
    void Deliver(long frame);
    size_t Count() const { return events_.size(); }
    const std::vector<ScriptedEvent>& Events() const { return events_; }

  private:
    std::vector<ScriptedEvent> events_;
    size_t next_ = 0;
};
