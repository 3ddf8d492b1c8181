// AudioSettings: the mixer, the mute switches and the one music channel.
//
// With no audio device (or in a headless run on the dummy driver) every call is safe: sounds are
// simply silent.
#pragma once

#include <string>

struct Mix_Chunk;

class AudioSettings
{
  public:
    static AudioSettings& Get();

    // Opens the mixer (22050 Hz, 16-bit, stereo, 512-sample chunks). False when there is no
    // device; the game then runs silent.
    bool Open();
    void Close();
    bool IsOpen() const { return open_; }

    // Plays an effect once on the first free channel at volume 0..128 (0 while muteAll).
    void PlayEffect(const std::string& path, int volume);
    // Every effect asked for, heard or not: tests and replays without a device can still tell.
    long effectsRequested = 0;
    std::string lastEffect;
    // Plays an effect for at most ms milliseconds; the channel it plays on, or -1 when it is
    // not heard (no device, no sound, no free channel).
    int PlayEffectFor(const std::string& path, int volume, int ms);
    // Stops an effect channel; -1 and the music channel are left alone.
    void HaltEffect(int channel);
    // Halts the music channel and loops path forever on a fresh channel at sample volume 35
    // (0 while muteMusic).
    void PlayMusic(const std::string& path);
    // The same at volume 0 when silent.
    void PlayMusic(const std::string& path, bool silent);
    void SetMusicVolume(int volume);
    // A track started while muted plays at sample volume 0; unmuting brings it back to 35.
    void RestoreMusicLoudness();
    // 128 on the title level, 50 elsewhere.
    void ApplyMusicVolume();

    // The player's volumes in percent (0 to 100, steps of 10): every sample volume the game
    // asks for is scaled by them, so the game's own balance holds at any setting and the mutes
    // stay a separate switch that gives the chosen volume back.
    void SetMusicPercent(int percent);
    void SetEffectsPercent(int percent);
    int MusicPercent() const { return musicPercent_; }
    int EffectsPercent() const { return effectsPercent_; }
    // The sample volume an effect asked at `volume` plays at now (0 while muteAll).
    int EffectVolume(int volume) const;

    bool muteMusic = false;
    bool muteAll = false;
    int musicChannel = -1;

  private:
    AudioSettings() = default;
    int MusicSampleVolume() const;

    bool open_ = false;
    Mix_Chunk* musicChunk_ = nullptr;
    // The track plays at its loudness (not started silent by a mute).
    bool musicLoud_ = false;
    int musicPercent_ = 100;
    int effectsPercent_ = 100;
};
