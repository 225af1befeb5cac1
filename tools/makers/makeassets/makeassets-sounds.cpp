// makeassets-sounds.cpp -- synthesised sound effects: fanfare, blows, spells, doors, lock-picks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include "makeassets.h"

namespace {

const int RATE = 22050;
const float PI = 3.14159265f;

using Wave = std::vector<float>;

Wave silence(float seconds) { return Wave((size_t)(seconds * RATE), 0.0f); }

// Adds a tone from `start` lasting `len` seconds whose pitch slides from f0 to f1.
// shape: 0 sine, 1 square, 2 triangle; the envelope is a quick attack and exponential decay.
void tone(Wave& w, float start, float len, float f0, float f1, float amp, int shape, float decay)
{
    size_t s0 = (size_t)(start * RATE), n = (size_t)(len * RATE);
    float phase = 0;
    for (size_t i = 0; i < n && s0 + i < w.size(); i++) {
        float t = (float)i / RATE;
        float f = f0 + (f1 - f0) * (t / len);
        phase += 2 * PI * f / RATE;
        float v = std::sin(phase);
        if (shape == 1)
            v = v >= 0 ? 0.6f : -0.6f;
        else if (shape == 2)
            v = 2.0f / PI * std::asin(v);
        float env = std::min(1.0f, t / 0.004f) * std::exp(-t * decay) * std::min(1.0f, (len - t) / 0.01f);
        w[s0 + i] += v * amp * env;
    }
}

// Filtered noise: `cutoff` 0..1 (one-pole low-pass), its own seed for each sound.
void noise(Wave& w, float start, float len, float amp, float cutoff0, float cutoff1, float decay, uint64_t seed, float swell = 0)
{
    Rng rng(seed);
    size_t s0 = (size_t)(start * RATE), n = (size_t)(len * RATE);
    float lp = 0;
    for (size_t i = 0; i < n && s0 + i < w.size(); i++) {
        float t = (float)i / RATE;
        float c = cutoff0 + (cutoff1 - cutoff0) * (t / len);
        lp += c * ((rng.unit() * 2 - 1) - lp);
        float env = std::min(1.0f, t / (0.004f + swell)) * std::exp(-t * decay) * std::min(1.0f, (len - t) / 0.02f);
        w[s0 + i] += lp * amp * env;
    }
}

std::vector<int16_t> finish(const Wave& w)
{
    float peak = 0.0001f;
    for (float v : w)
        peak = std::max(peak, std::fabs(v));
    float gain = 0.8f / peak;
    std::vector<int16_t> out;
    out.reserve(w.size());
    for (float v : w)
        out.push_back((int16_t)std::lround(std::clamp(v * gain, -1.0f, 1.0f) * 32767));
    return out;
}

Wave makeSound(int n)
{
    Wave w;
    switch (n) {
    case SOUND_FIGHT_WON: {   // fight won: a bright rising fanfare, C E G then a held high C
        w = silence(1.1f);
        const float notes[4] = {523.3f, 659.3f, 784.0f, 1046.5f};
        for (int i = 0; i < 3; i++) {
            tone(w, i * 0.12f, 0.16f, notes[i], notes[i], 0.5f, 1, 6);
            tone(w, i * 0.12f, 0.16f, notes[i] * 2, notes[i] * 2, 0.15f, 0, 8);
        }
        tone(w, 0.36f, 0.7f, notes[3], notes[3], 0.5f, 1, 3);
        tone(w, 0.36f, 0.7f, notes[2], notes[2], 0.3f, 2, 3);
        tone(w, 0.36f, 0.7f, notes[3] * 2, notes[3] * 2, 0.1f, 0, 4);
        break;
    }
    case SOUND_BLOW:   // a blow lands: low thump and a short crunch
        w = silence(0.25f);
        tone(w, 0, 0.22f, 150, 45, 1.0f, 0, 18);
        noise(w, 0, 0.12f, 0.6f, 0.3f, 0.05f, 30, 1);
        break;
    case SOUND_CLICK:   // soft click
        w = silence(0.1f);
        noise(w, 0, 0.02f, 0.6f, 0.6f, 0.4f, 150, 2);
        tone(w, 0, 0.04f, 1800, 1400, 0.3f, 0, 90);
        break;
    case SOUND_SHOT:   // a ranged shot: string twang and a whoosh
        w = silence(0.45f);
        tone(w, 0, 0.3f, 220, 180, 0.7f, 2, 12);
        tone(w, 0, 0.3f, 440, 360, 0.25f, 0, 16);
        noise(w, 0.03f, 0.4f, 0.5f, 0.05f, 0.3f, 5, 3, 0.15f);
        break;
    case SOUND_HIGH_BLIP:   // neutral blip
        w = silence(0.12f);
        tone(w, 0, 0.1f, 660, 660, 0.6f, 2, 25);
        break;
    case SOUND_LOW_BLIP:   // lower neutral blip
        w = silence(0.12f);
        tone(w, 0, 0.1f, 440, 440, 0.6f, 2, 25);
        break;
    case SOUND_PAIN:   // Pain: a dark, wavering buzz
        w = silence(0.8f);
        for (int k = 0; k < 3; k++)
            tone(w, 0, 0.78f, 70 + k * 3.1f, 55 + k * 2.0f, 0.35f, 1, 2.5f);
        noise(w, 0, 0.78f, 0.3f, 0.04f, 0.02f, 2, 6, 0.1f);
        break;
    case SOUND_FLEE:   // Flee: rising whoosh
        w = silence(0.7f);
        noise(w, 0, 0.7f, 0.9f, 0.03f, 0.6f, 1.5f, 7, 0.3f);
        tone(w, 0.1f, 0.55f, 300, 1200, 0.15f, 0, 3);
        break;
    case SOUND_DOOR_OPEN:   // door unlocks: click then clack
        w = silence(0.4f);
        noise(w, 0, 0.03f, 0.8f, 0.7f, 0.5f, 120, 8);
        tone(w, 0, 0.05f, 2400, 2000, 0.3f, 0, 80);
        noise(w, 0.16f, 0.12f, 0.9f, 0.25f, 0.1f, 40, 9);
        tone(w, 0.16f, 0.12f, 300, 180, 0.6f, 2, 35);
        break;
    case SOUND_TALK:   // starting to talk: a friendly two-note blip
        w = silence(0.22f);
        tone(w, 0, 0.09f, 880, 900, 0.5f, 2, 10);
        tone(w, 0.09f, 0.12f, 1175, 1200, 0.5f, 2, 12);
        break;
    case SOUND_FIREBALL:   // fireball: roaring fizz with a low rumble
        w = silence(0.9f);
        noise(w, 0, 0.9f, 1.0f, 0.5f, 0.08f, 2.5f, 10, 0.06f);
        tone(w, 0, 0.9f, 90, 50, 0.5f, 1, 3);
        break;
    case SOUND_HEAL: {   // Heal: a sparkly ascending chime
        w = silence(1.0f);
        const float notes[5] = {784.0f, 987.8f, 1174.7f, 1568.0f, 1975.5f};
        for (int i = 0; i < 5; i++) {
            tone(w, i * 0.08f, 0.6f, notes[i], notes[i], 0.4f, 0, 5);
            tone(w, i * 0.08f, 0.3f, notes[i] * 3, notes[i] * 3, 0.08f, 0, 10);
        }
        break;
    }
    case SOUND_PICK_FAILS:   // lock-pick fails: dull clink
        w = silence(0.25f);
        tone(w, 0, 0.2f, 900, 850, 0.5f, 0, 30);
        tone(w, 0, 0.2f, 1310, 1300, 0.25f, 0, 40);
        noise(w, 0, 0.03f, 0.4f, 0.2f, 0.1f, 100, 12);
        break;
    default:   // SOUND_PICK_BREAKS, lock-pick breaks: a sharp snap and a tinkle
        w = silence(0.35f);
        noise(w, 0, 0.025f, 1.0f, 0.95f, 0.8f, 60, 13);
        tone(w, 0.04f, 0.25f, 3200, 3100, 0.25f, 0, 20);
        tone(w, 0.1f, 0.2f, 2600, 2500, 0.18f, 0, 25);
        break;
    }
    return w;
}

} // namespace

bool makeSounds(const std::string& outDir, int& count)
{
    std::string dir = outDir + "/sounds";
    if (!makeDirs(dir))
        return false;
    for (int n = 0; n < SOUND_COUNT; n++) {
        if (!saveWav(finish(makeSound(n)), RATE, dir + "/" + std::to_string(n) + ".wav"))
            return false;
        count++;
    }
    return true;
}
