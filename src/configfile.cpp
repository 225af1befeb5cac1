// configfile.cpp -- reading config.cfg into its list of options.
#include "configfile.h"
#include <cstring>
#include <string>
#include "gamepad.h"
#include "readfile.h"

// Reads one line of at most 97 characters without its line feed. A longer
// line, or one holding a NUL byte, is still read to its end but comes back
// empty, so it matches no keyword and the next line is read whole.
template <class NextChar>
static bool readConfigLine(NextChar& next, char* line, size_t size)
{
    size_t n = 0;
    bool any = false, spoilt = false;
    int c;
    while ((c = next()) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c == '\0' || n + 2 >= size)
            spoilt = true;
        else
            line[n++] = (char)c;
    }
    line[spoilt ? 0 : n] = '\0';
    return any;
}

SDLKey configKeyNamed(const char* name)
{
    static const struct
    {
        const char* name;
        SDLKey key;
    } NAMES[] = {
        {"return", SDLK_RETURN}, {"escape", SDLK_ESCAPE}, {"space", SDLK_SPACE},      {"backspace", SDLK_BACKSPACE},
        {"tab", SDLK_TAB},       {"up", SDLK_UP},         {"down", SDLK_DOWN},        {"left", SDLK_LEFT},
        {"right", SDLK_RIGHT},   {"pageup", SDLK_PAGEUP}, {"pagedown", SDLK_PAGEDOWN},
    };
    for (const auto& n : NAMES)
        if (!strcmp(name, n.name))
            return n.key;
    if (name[0] >= 'a' && name[0] <= 'z' && name[1] == '\0')
        return (SDLKey)(SDLK_a + (name[0] - 'a'));
    if (name[0] == 'f' && name[1] >= '1' && name[1] <= '9') {
        int n = name[1] - '0';
        if (name[2] == '\0' || (n == 1 && name[2] >= '0' && name[2] <= '2' && name[3] == '\0')) {
            if (name[2])
                n = 10 + name[2] - '0';
            return (SDLKey)(SDLK_F1 + n - 1);
        }
    }
    return SDLK_UNKNOWN;
}

// Reads "joybutton N KEY" (one blank between the words, N from 0 to 31) into b.
static bool joyButtonLine(const char* line, JoyButtonBinding& b)
{
    const char* p = line + strlen("joybutton");
    if (*p++ != ' ' || *p < '0' || *p > '9')
        return false;
    int button = 0;
    while (*p >= '0' && *p <= '9' && button < 100)
        button = button * 10 + (*p++ - '0');
    if (button >= GAMEPAD_BUTTONS || *p++ != ' ')
        return false;
    b.button = button;
    b.key = configKeyNamed(p);
    return b.key != SDLK_UNKNOWN;
}

template <class NextChar>
static std::vector<ConfigOption> optionsFrom(NextChar next, std::vector<JoyButtonBinding>* buttons, const char* name)
{
    static const struct
    {
        const char* keyword;
        ConfigOption option;
    } KEYWORDS[] = {
        {"fs", ConfigOption::Fullscreen},       {"fullscreen", ConfigOption::Fullscreen},
        {"pickpocketry", ConfigOption::Pickpocketry}, {"noalpha", ConfigOption::NoAlpha},
        {"widescreen", ConfigOption::Widescreen}, {"longtalk", ConfigOption::LongTalk},
        {"windowed", ConfigOption::Windowed},   {"fastwater", ConfigOption::FastWater},
        {"debug", ConfigOption::Debug},         {"framecap", ConfigOption::FrameCap},
        {"doorassist", ConfigOption::DoorAssist}, {"readabletext", ConfigOption::ReadableText},
        {"fightdetails", ConfigOption::FightDetails},
    };
    std::vector<ConfigOption> options;
    char line[99];
    int lineNo = 0;
    while (readConfigLine(next, line, sizeof line)) {
        lineNo++;
        if (!strncmp(line, "joybutton", strlen("joybutton"))) {
            JoyButtonBinding b;
            if (!joyButtonLine(line, b))
                fprintf(stderr, "%s:%i: skipped \"%s\": a button line is \"joybutton N KEY\", N from 0 to %i\n",
                        name, lineNo, line, GAMEPAD_BUTTONS - 1);
            else if (buttons)
                buttons->push_back(b);
            continue;
        }
        for (const auto& k : KEYWORDS) {
            if (!strcmp(line, k.keyword)) {
                options.push_back(k.option);
                break;
            }
        }
    }
    return options;
}

std::vector<ConfigOption> readConfigOptions(FILE* cfg, std::vector<JoyButtonBinding>* buttons, const char* name)
{
    return optionsFrom([cfg]() { return fgetc(cfg); }, buttons, name);
}

bool readConfigFile(const char* path, std::vector<ConfigOption>& options, std::vector<JoyButtonBinding>* buttons)
{
    std::string bytes;
    if (!readWholeFile(path, CONFIG_FILE_MAX, bytes))
        return false;
    size_t at = 0;
    options = optionsFrom([&bytes, &at]() { return at < bytes.size() ? (unsigned char)bytes[at++] : EOF; },
                          buttons, path);
    return true;
}
