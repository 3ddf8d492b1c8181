#include "engine/core/AudioSettings.h"

#include <cstdio>

#include <SDL_mixer.h>

#include "engine/core/GameRoles.h"
#include "engine/core/Log.h"
#include "engine/data/LevelManager.h"
#include "engine/data/ResourceManager.h"

AudioSettings& AudioSettings::Get()
{
    static AudioSettings instance;
    return instance;
}

bool AudioSettings::Open()
{
    // 512-sample chunks (23 ms) rather than 4096 (186 ms): closing the device waits for two
    // chunks to drain, which made quitting take half a second; effects also start sooner.
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 512) != 0)
    {
        LogPrintf("audio: no audio device (%s); sounds are silent\n", Mix_GetError());
        open_ = false;
        return false;
    }
    open_ = true;
    return true;
}

void AudioSettings::Close()
{
    if (open_) Mix_CloseAudio();
    open_ = false;
    // Its chunk belongs to the resource cache, which lets it go at shut-down.
    musicChunk_ = nullptr;
    musicLoud_ = false;
}

void AudioSettings::PlayEffect(const std::string& path, int volume)
{
    ++effectsRequested;
    lastEffect = path;
    if (!open_) return;
    Mix_Chunk* chunk = ResourceManager::Get().GetSound(path);
    if (!chunk) return;
    Mix_VolumeChunk(chunk, EffectVolume(volume));
    Mix_PlayChannel(-1, chunk, 0);
}

int AudioSettings::PlayEffectFor(const std::string& path, int volume, int ms)
{
    ++effectsRequested;
    lastEffect = path;
    if (!open_) return -1;
    Mix_Chunk* chunk = ResourceManager::Get().GetSound(path);
    if (!chunk) return -1;
    Mix_VolumeChunk(chunk, EffectVolume(volume));
    int channel = Mix_PlayChannelTimed(-1, chunk, 0, ms);
    return channel < 0 ? -1 : channel;
}

void AudioSettings::HaltEffect(int channel)
{
    // -1 would halt every channel, music included.
    if (!open_ || channel < 0 || channel == musicChannel) return;
    Mix_HaltChannel(channel);
}

void AudioSettings::PlayMusic(const std::string& path)
{
    PlayMusic(path, muteMusic);
}

void AudioSettings::PlayMusic(const std::string& path, bool silent)
{
    if (!open_) return;
    if (musicChannel >= 0) Mix_HaltChannel(musicChannel);
    musicChannel = -1;
    Mix_Chunk* chunk = ResourceManager::Get().GetSound(path);
    if (!chunk) return;
    musicLoud_ = !silent;
    Mix_VolumeChunk(chunk, MusicSampleVolume());
    musicChunk_ = chunk;
    // A failed play answers -1, which to the mixer means every channel: never keep it.
    int channel = Mix_PlayChannel(-1, chunk, -1);
    musicChannel = channel >= 0 ? channel : -1;
}

void AudioSettings::SetMusicVolume(int volume)
{
    if (open_ && musicChannel >= 0) Mix_Volume(musicChannel, volume);
}

void AudioSettings::RestoreMusicLoudness()
{
    musicLoud_ = true;
    if (open_ && musicChunk_) Mix_VolumeChunk(musicChunk_, MusicSampleVolume());
}

int AudioSettings::MusicSampleVolume() const
{
    return musicLoud_ ? 35 * musicPercent_ / 100 : 0;
}

int AudioSettings::EffectVolume(int volume) const
{
    return muteAll ? 0 : volume * effectsPercent_ / 100;
}

void AudioSettings::SetMusicPercent(int percent)
{
    musicPercent_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (open_ && musicChunk_) Mix_VolumeChunk(musicChunk_, MusicSampleVolume());
}

void AudioSettings::SetEffectsPercent(int percent)
{
    effectsPercent_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
}

void AudioSettings::ApplyMusicVolume()
{
    SetMusicVolume(OnTitleLevel() ? 128 : 50);
}
