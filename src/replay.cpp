// replay.cpp -- the recording file: one line per raw event, clock reading, key change and frame end.
#include "replay.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "game.h"

namespace {

// Lines of a recording, after the version line and the seed:
//   t MS                  a clock reading
//   n                     a poll that found no event
//   e TYPE F1 F2 ...      a raw event, with the fields its type uses
//   k KEY STATE           an entry of SDL's key-state array changed before the next poll
//   f FRAME X Y T E       a frame end: the player's position (map pixels, 0 0 without one),
//                         the clock readings and the events so far
const int LINE_MAX = 200;
const Uint32 RECORDED_SEED = 1;   // what rand() starts from when nobody seeds it

enum Mode { OFF, RECORD, REPLAY };
Mode mode = OFF;
bool fastReplay = false;
bool stopped = false;       // the replay diverged or ran out; the game is being closed
bool quitNext = true;       // while stopped: alternate a window-close and an empty poll
FILE* out = NULL;
std::vector<std::string> lines;
size_t at = 0;              // next line of a replay
std::string fileName;
const CGame* followed = NULL;
unsigned long frame = 0, readings = 0, events = 0;
Uint32 lastTicks = 0;
Uint8 keySnapshot[SDLK_LAST];

// Writes the fields of an event of its type, as numbers.
int eventFields(const SDL_Event& e, long* f)
{
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        f[0] = e.key.which; f[1] = e.key.state; f[2] = e.key.keysym.sym;
        f[3] = e.key.keysym.mod; f[4] = e.key.keysym.unicode; f[5] = e.key.keysym.scancode;
        return 6;
    case SDL_JOYAXISMOTION:
        f[0] = e.jaxis.which; f[1] = e.jaxis.axis; f[2] = e.jaxis.value;
        return 3;
    case SDL_JOYHATMOTION:
        f[0] = e.jhat.which; f[1] = e.jhat.hat; f[2] = e.jhat.value;
        return 3;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        f[0] = e.jbutton.which; f[1] = e.jbutton.button; f[2] = e.jbutton.state;
        return 3;
    case SDL_ACTIVEEVENT:
        f[0] = e.active.gain; f[1] = e.active.state;
        return 2;
    default:   // the engine reads nothing else of the rest
        return 0;
    }
}

void setEventFields(SDL_Event& e, const long* f)
{
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e.key.which = (Uint8)f[0]; e.key.state = (Uint8)f[1]; e.key.keysym.sym = (SDLKey)f[2];
        e.key.keysym.mod = (SDLMod)f[3]; e.key.keysym.unicode = (Uint16)f[4];
        e.key.keysym.scancode = (Uint8)f[5];
        break;
    case SDL_JOYAXISMOTION:
        e.jaxis.which = (Uint8)f[0]; e.jaxis.axis = (Uint8)f[1]; e.jaxis.value = (Sint16)f[2];
        break;
    case SDL_JOYHATMOTION:
        e.jhat.which = (Uint8)f[0]; e.jhat.hat = (Uint8)f[1]; e.jhat.value = (Uint8)f[2];
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        e.jbutton.which = (Uint8)f[0]; e.jbutton.button = (Uint8)f[1]; e.jbutton.state = (Uint8)f[2];
        break;
    case SDL_ACTIVEEVENT:
        e.active.gain = (Uint8)f[0]; e.active.state = (Uint8)f[1];
        break;
    default:
        break;
    }
}

// The frame's check line, without the leading "f ".
std::string frameCheck()
{
    char buf[LINE_MAX];
    double x = 0, y = 0;
    if (followed && followed->player) {
        x = followed->player->x;
        y = followed->player->y;
    }
    snprintf(buf, sizeof buf, "%lu %.2f %.2f %lu %lu", frame, x, y, readings, events);
    return buf;
}

// From now on the game is closed: the clock runs on and every other poll closes the window.
void stop(const std::string& why)
{
    if (stopped)
        return;
    stopped = true;
    fprintf(stderr, "%s\n", why.c_str());
}

void diverge(const std::string& what)
{
    stop("replay diverged at frame " + std::to_string(frame) + ": " + what);
}

// The next line of the replay if it is of kind `kind` (its text after the kind letter), or
// diverges and answers false.
bool take(char kind, const char* what, std::string& rest)
{
    if (stopped)
        return false;
    if (at >= lines.size()) {
        stop("replay ended at frame " + std::to_string(frame) + " before the game did (it " +
             what + ")");
        return false;
    }
    const std::string& l = lines[at];
    if (l[0] != kind) {
        diverge(std::string("the game ") + what + " where the recording has line " +
                std::to_string(at + 3) + " \"" + l + "\"");
        return false;
    }
    rest = l.size() > 2 ? l.substr(2) : "";
    at++;
    return true;
}

void applyKeyLines()
{
    Uint8* keys = SDL_GetKeyState(NULL);
    while (!stopped && at < lines.size() && lines[at][0] == 'k') {
        int key = -1, state = -1;
        if (sscanf(lines[at].c_str(), "k %d %d", &key, &state) != 2 || key <= 0 || key >= SDLK_LAST) {
            diverge("line " + std::to_string(at + 3) + " is not a key change");
            return;
        }
        keys[key] = state ? 1 : 0;
        at++;
    }
}

int replayedPoll(SDL_Event* event)
{
    if (!stopped)
        applyKeyLines();
    if (!stopped && at < lines.size() && lines[at] == "n") {
        at++;
        return 0;
    }
    std::string rest;
    if (take('e', "polled for an event", rest)) {
        long f[6] = {0};
        int type = -1;
        int n = sscanf(rest.c_str(), "%d %ld %ld %ld %ld %ld %ld", &type, &f[0], &f[1], &f[2], &f[3], &f[4],
                       &f[5]);
        if (n >= 1 && type > 0 && type < SDL_NUMEVENTS) {
            memset(event, 0, sizeof *event);
            event->type = (Uint8)type;
            setEventFields(*event, f);
            events++;
            return 1;
        }
        diverge("line " + std::to_string(at + 2) + " is not an event");
    }
    quitNext = !quitNext;
    if (quitNext)
        return 0;
    memset(event, 0, sizeof *event);
    event->type = SDL_QUIT;
    return 1;
}

int recordedPoll(SDL_Event* event)
{
    int got = SDL_PollEvent(event);
    Uint8* keys = SDL_GetKeyState(NULL);
    for (int k = 1; k < SDLK_LAST; k++)
        if (keys[k] != keySnapshot[k]) {
            fprintf(out, "k %d %d\n", k, keys[k]);
            keySnapshot[k] = keys[k];
        }
    if (!got) {
        fputs("n\n", out);
        return 0;
    }
    long f[8];
    int n = eventFields(*event, f);
    fprintf(out, "e %d", event->type);
    for (int i = 0; i < n; i++)
        fprintf(out, " %ld", f[i]);
    fputc('\n', out);
    events++;
    return 1;
}

void resetCounts()
{
    frame = readings = events = 0;
    lastTicks = 0;
    stopped = false;
    quitNext = true;
    at = 0;
    lines.clear();
    memset(keySnapshot, 0, sizeof keySnapshot);
}

} // namespace

bool startRecording(const char* path)
{
    finishReplay();
    resetCounts();
    out = fopen(path, "w");
    if (!out) {
        fprintf(stderr, "cannot write the recording %s\n", path);
        return false;
    }
    fileName = path;
    fprintf(out, "%s\nseed %u\n", REPLAY_VERSION_LINE, RECORDED_SEED);
    srand(RECORDED_SEED);
    mode = RECORD;
    return true;
}

bool startReplay(const char* path, bool fast)
{
    finishReplay();
    resetCounts();
    FILE* in = fopen(path, "r");
    if (!in) {
        fprintf(stderr, "cannot read the recording %s\n", path);
        return false;
    }
    char buf[LINE_MAX + 2];
    unsigned long n = 0;
    unsigned seed = 0;
    bool ok = true;
    while (ok && fgets(buf, sizeof buf, in)) {
        n++;
        size_t len = strlen(buf);
        if (len && buf[len - 1] == '\n')
            buf[--len] = 0;
        else if (!feof(in)) {
            fprintf(stderr, "%s:%lu: line too long for a recording\n", path, n);
            ok = false;
        }
        if (!ok)
            break;
        if (n == 1) {
            ok = strcmp(buf, REPLAY_VERSION_LINE) == 0;
            if (!ok)
                fprintf(stderr, "%s:1: not a recording of this game (the first line must be \"%s\")\n", path,
                        REPLAY_VERSION_LINE);
        } else if (n == 2) {
            ok = sscanf(buf, "seed %u", &seed) == 1;
            if (!ok)
                fprintf(stderr, "%s:2: the second line must be \"seed N\"\n", path);
        } else if (!len || !strchr("tnekf", buf[0]) || (len > 1 && buf[1] != ' ')) {
            fprintf(stderr, "%s:%lu: not a line of a recording\n", path, n);
            ok = false;
        } else {
            lines.push_back(buf);
        }
    }
    if (ok && n < 2) {
        fprintf(stderr, "%s: the recording is empty\n", path);
        ok = false;
    }
    fclose(in);
    if (!ok) {
        lines.clear();
        return false;
    }
    fileName = path;
    fastReplay = fast;
    srand(seed);
    // The recording starts from no key held; the array may hold leftovers of an earlier game.
    memset(SDL_GetKeyState(NULL), 0, SDLK_LAST);
    mode = REPLAY;
    return true;
}

bool finishReplay()
{
    bool ok = true;
    if (mode == RECORD && out) {
        if (fclose(out) != 0) {
            fprintf(stderr, "cannot finish the recording %s\n", fileName.c_str());
            ok = false;
        }
        out = NULL;
    }
    if (mode == REPLAY)
        ok = !stopped;
    mode = OFF;
    fastReplay = false;
    followed = NULL;
    return ok;
}

bool isRecording() { return mode == RECORD; }
bool isReplaying() { return mode == REPLAY; }

void replayFollow(const CGame* game) { followed = game; }

Uint32 gameTicks()
{
    if (mode == RECORD) {
        Uint32 t = SDL_GetTicks();
        fprintf(out, "t %u\n", t);
        readings++;
        return t;
    }
    if (mode != REPLAY)
        return SDL_GetTicks();
    std::string rest;
    unsigned long t = 0;
    if (take('t', "read the clock", rest) && sscanf(rest.c_str(), "%lu", &t) == 1) {
        lastTicks = (Uint32)t;
        readings++;
    } else {
        // Stopped: time runs on, so timed screens end too.
        lastTicks += 4;
    }
    return lastTicks;
}

void gameDelay(Uint32 ms)
{
    if (mode == REPLAY && fastReplay)
        return;
    SDL_Delay(ms);
}

void replayFrameEnd()
{
    if (mode == RECORD) {
        fprintf(out, "f %s\n", frameCheck().c_str());
    } else if (mode == REPLAY) {
        std::string rest;
        std::string now = frameCheck();
        if (take('f', "ended a frame", rest) && rest != now)
            diverge("recorded \"" + rest + "\", played \"" + now + "\" (frame, player x y, clock readings, events)");
    }
    frame++;
}

int replayPollEvent(SDL_Event* event)
{
    if (mode == RECORD)
        return recordedPoll(event);
    if (mode == REPLAY)
        return replayedPoll(event);
    return SDL_PollEvent(event);
}

void replayKeysSettled()
{
    if (mode == RECORD)
        memcpy(keySnapshot, SDL_GetKeyState(NULL), sizeof keySnapshot);
}
