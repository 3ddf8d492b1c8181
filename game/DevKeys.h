// The developer keys, in one table: each key, whether it acts on the press or while held, and
// what it does. Normal play never needs them (the controls screen does not list them). The keys
// that act on the whole game run first in a frame (RunDeveloperKeys, after the input is read);
// the others act where their object is updated, so they take effect in the same frame step as
// the object's own behaviour. F1 belongs to the level editor, which reads it itself.
#pragma once

struct DevKey
{
    const char* key;
    bool held; // acts every frame while held, instead of once per press
    const char* what;
};

namespace DevKeys
{
inline constexpr DevKey kNextLevel{"L", false, "next level of the list"};
inline constexpr DevKey kPreviousLevel{"K", false, "previous level of the list"};
inline constexpr DevKey kGodMode{"G", false, "god mode on and off (not on the title level)"};
inline constexpr DevKey kClosingLight{"M", false, "the ending's closing light on and off"};
inline constexpr DevKey kShake{"U", false, "starts a camera shake"};
inline constexpr DevKey kStopShake{"I", false, "stops a camera shake"};
inline constexpr DevKey kPullBack{"V", true, "pulls the camera back"};
inline constexpr DevKey kTurnCones{"T", false, "turns the boss's vision cones round"};
inline constexpr DevKey kToTitle{"U", true, "on a level with a menu jumper: back to the title"};
inline constexpr DevKey kRecord{"F2", false, "starts recording the player's input"};
inline constexpr DevKey kStopRecord{"F3", false, "stops the recording"};
inline constexpr DevKey kPlayNext{"F4", false, "plays the next file of the play list"};
inline constexpr DevKey kEditor{"F1", false, "opens and closes the level editor (editor/)"};

inline constexpr DevKey kAll[] = {kNextLevel,  kPreviousLevel, kGodMode,   kClosingLight, kShake,
                                  kStopShake,  kPullBack,      kTurnCones, kToTitle,      kRecord,
                                  kStopRecord, kPlayNext,      kEditor};
} // namespace DevKeys

// Whether a developer key acts this frame (a press, or held for the held ones).
bool DevKeyActs(const DevKey& key);
// The keys that act on the whole game: next and previous level, god mode.
void RunDeveloperKeys();
