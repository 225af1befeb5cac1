// replay.cpp -- the recording file: one line per raw event, clock reading, key change and frame end.
#include "replay.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <unistd.h>
#include "confined-fs.h"
#include "game.h"
#include "gamepad.h"
#include "readfile.h"

namespace {

// Lines of a recording, after the version line and the seed:
//   t MS                  a clock reading
//   n                     a poll that found no event
//   e TYPE F1 F2 ...      a raw event, with the fields its type uses
//   k KEY STATE           an entry of SDL's key-state array changed before the next poll
//   f FRAME X Y T E       a frame end: the player's position (map pixels, 0 0 without one),
//                         the clock readings and the events so far
const int REPLAY_LINE_MAX = 200;
const Uint32 RECORDED_SEED = 1;   // what rand() starts from when nobody seeds it

enum Mode { OFF, RECORD, REPLAY };
Mode mode = OFF;
bool fastReplay = false;
bool stopped = false;       // the replay diverged or ran out; the game is being closed
bool quitNext = true;       // while stopped: alternate a window-close and an empty poll
FILE* out = NULL;

// The lines of a replay, kept as the file's own bytes and where each starts.
struct Lines
{
    std::string text;
    std::vector<Uint32> starts;
    size_t size() const { return starts.size(); }
    std::string operator[](size_t i) const
    {
        size_t end = text.find('\n', starts[i]);
        if (end == std::string::npos)
            end = text.size();
        return text.substr(starts[i], end - starts[i]);
    }
    void clear()
    {
        text.clear();
        text.shrink_to_fit();
        starts.clear();
        starts.shrink_to_fit();
    }
};
Lines lines;
size_t at = 0;              // next line of a replay
std::string fileName;
const CGame* followed = NULL;
unsigned long frame = 0, readings = 0, events = 0;
Uint32 lastTicks = 0;
Uint8 keySnapshot[SDLK_LAST];

// Reads up to max whole numbers separated by single blanks, the whole of s;
// how many, or -1 when s holds anything else or a number beyond a long.
int readNumbers(const std::string& s, long* f, int max)
{
    const char* p = s.c_str();
    int n = 0;
    while (*p) {
        if (n == max || (n > 0 && *p++ != ' ') || !(*p == '-' || (*p >= '0' && *p <= '9')))
            return -1;
        char* end = NULL;
        errno = 0;
        f[n++] = strtol(p, &end, 10);
        if (end == p || errno == ERANGE)
            return -1;
        p = end;
    }
    return n;
}

// Writes the fields of an event of its type, as numbers. A key event's first field is the
// keyboard, always the one there is (0).
int eventFields(const SDL_Event& e, long* f)
{
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        f[0] = 0; f[1] = e.key.state; f[2] = e.key.keysym.sym;
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

// The largest value each field of a recorded event of this type may hold;
// how many fields it has (0 for a type whose fields the engine never reads).
int fieldLimits(int type, long* lo, long* hi)
{
    const long U8 = 255, U16 = 65535;
    switch (type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const long l[6] = {0, 0, 0, 0, 0, 0}, h[6] = {U8, 1, SDLK_LAST - 1, U16, U16, U8};
        memcpy(lo, l, sizeof l);
        memcpy(hi, h, sizeof h);
        return 6;
    }
    case SDL_JOYAXISMOTION:
        lo[0] = lo[1] = 0, lo[2] = -32768;
        hi[0] = hi[1] = U8, hi[2] = 32767;
        return 3;
    case SDL_JOYHATMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        lo[0] = lo[1] = lo[2] = 0;
        hi[0] = hi[1] = hi[2] = U8;
        return 3;
    case SDL_ACTIVEEVENT:
        lo[0] = lo[1] = 0;
        hi[0] = hi[1] = U8;
        return 2;
    default:
        return 0;
    }
}

// Fills e (its type set) from the recorded fields; false when one is outside its field's range.
bool setEventFields(SDL_Event& e, const long* f, int given)
{
    long lo[6], hi[6];
    int n = fieldLimits(e.type, lo, hi);
    for (int i = 0; i < n; i++)
        if (i >= given || f[i] < lo[i] || f[i] > hi[i])
            return false;
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e.key.state = (Uint8)f[1]; e.key.keysym.sym = (SDLKey)f[2];
        e.key.keysym.mod = (SDLMod)f[3]; e.key.keysym.unicode = (Uint16)f[4];
        e.key.keysym.scancode = (decltype(e.key.keysym.scancode))f[5];
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
    return true;
}

// The frame's check line, without the leading "f ".
std::string frameCheck()
{
    char buf[REPLAY_LINE_MAX];
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
        long f[2] = {-1, -1};
        std::string l = lines[at];
        if (readNumbers(l.size() > 2 ? l.substr(2) : "", f, 2) != 2 || f[0] <= 0 || f[0] >= SDLK_LAST) {
            diverge("line " + std::to_string(at + 3) + " is not a key change");
            return;
        }
        keys[f[0]] = f[1] ? 1 : 0;
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
        long f[7] = {0};
        int n = readNumbers(rest, f, 7);
        if (n >= 1 && f[0] > 0 && f[0] < SDL_NUMEVENTS) {
            memset(event, 0, sizeof *event);
            event->type = (EventType)f[0];
            if (setEventFields(*event, f + 1, n - 1)) {
                events++;
                return 1;
            }
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
    // A new file: a link, pipe or device under that name is refused.
    int rootFd = openRootFolder(folderOfPath(path));
    int fd = rootFd < 0 ? -1 : createBelow(rootFd, lastNameOfPath(path), false, path);
    if (rootFd >= 0)
        close(rootFd);
    out = fd < 0 ? NULL : fdopen(fd, "w");
    if (!out) {
        if (fd >= 0)
            close(fd);
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
    std::string bytes;
    if (!readWholeFile(path, RECORDING_FILE_MAX, bytes)) {
        fprintf(stderr, "cannot read the recording %s\n", path);
        return false;
    }
    unsigned long n = 0;
    long seed = 0;
    bool ok = true;
    size_t pos = 0;
    while (ok && pos < bytes.size()) {
        n++;
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        size_t len = end - pos;
        const char* buf = bytes.c_str() + pos;
        size_t start = pos;
        pos = end + 1;
        if (len > (size_t)REPLAY_LINE_MAX || memchr(buf, 0, len)) {
            fprintf(stderr, "%s:%lu: line too long for a recording\n", path, n);
            ok = false;
        } else if (n == 1) {
            ok = bytes.compare(start, len, REPLAY_VERSION_LINE) == 0 && len == strlen(REPLAY_VERSION_LINE);
            if (!ok)
                fprintf(stderr, "%s:1: not a recording of this game (the first line must be \"%s\")\n", path,
                        REPLAY_VERSION_LINE);
        } else if (n == 2) {
            ok = len > 5 && bytes.compare(start, 5, "seed ") == 0 &&
                 readNumbers(bytes.substr(start + 5, len - 5), &seed, 1) == 1 && seed >= 0 && seed <= 0xFFFFFFFFL;
            if (!ok)
                fprintf(stderr, "%s:2: the second line must be \"seed N\"\n", path);
        } else if (!len || !strchr("tnekf", buf[0]) || (len > 1 && buf[1] != ' ')) {
            fprintf(stderr, "%s:%lu: not a line of a recording\n", path, n);
            ok = false;
        } else {
            lines.starts.push_back((Uint32)start);
        }
    }
    if (ok && n < 2) {
        fprintf(stderr, "%s: the recording is empty\n", path);
        ok = false;
    }
    if (!ok) {
        lines.clear();
        return false;
    }
    lines.text.swap(bytes);
    fileName = path;
    fastReplay = fast;
    srand((unsigned)seed);
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
    long t = 0;
    if (take('t', "read the clock", rest) && readNumbers(rest, &t, 1) == 1 && t >= 0 && t <= 0xFFFFFFFFL) {
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
