// audloader.cpp -- opens the audio device and loads the sound effects.
#include <cstdio>
#include "mediafiles.h"
#include "vars.h"

AudioAssets::AudioAssets()
{
    if (Mix_OpenAudio(22050, AUDIO_S16, 2, 4096) < 0)
        fputs("Could not initialize audio\n", stderr);
    puts("Loading audio");
    bSoundOff = false;
    char path[64];
    for (int i = 0; i < SOUND_COUNT; i++) {
        snprintf(path, sizeof path, "data/assets/sounds/%i.wav", i);
        sfx[i] = loadSoundFile(path);
        if (sfx[i])
            printf("\tLoaded %s successfully\n", path);
    }
}

// The device stays open for the next game object; only the chunks go.
AudioAssets::~AudioAssets()
{
    Mix_HaltChannel(-1);
    for (int i = 0; i < SOUND_COUNT; i++) {
        if (sfx[i]) {
            Mix_FreeChunk(sfx[i]);
            sfx[i] = NULL;
        }
    }
}
