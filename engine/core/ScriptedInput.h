// ScriptedInput: platform events read from a JSON file and delivered at the start of named
// frames, exactly as if the platform had sent them. Tests, benchmarks and replays stand on it.
//
// File: [{"frame": N, "type": T, ...}, ...], frame 1 being the first. Types: "keydown"/"keyup"
// ("key"), "mousemove" ("x", "y"), "mousedown"/"mouseup" ("button": "left"|"right"),
// "buttondown"/"buttonup" ("button": a controller button name), "axis" ("axis" 0-3, "value"),
// "controller" ("connected"), "window" ("event": "focuslost"|"hidden"|"minimized"|"enter"|
// "close"), "quit".
//
// The file may instead be {"Size": [W, H], "Events": [...]}: its mouse positions are then in a
// W x H window and are scaled to the real window when delivered, so one script aims alike at any
// window size. A bare array keeps meaning window pixels.
#pragma once

#include <SDL.h>

#include "engine/data/Json.h"

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

    // The window size the mouse positions were written for; 0 when they are window pixels.
    int ReferenceWidth() const { return refWidth_; }
    int ReferenceHeight() const { return refHeight_; }

  private:
    bool ReadEvents(const JsonView& list, const std::string& fileName, std::string& error);
    void ScaleToWindow(SDL_Event& ev) const;

    std::vector<ScriptedEvent> events_;
    size_t next_ = 0;
    int refWidth_ = 0, refHeight_ = 0;
};
