// configfile.cpp -- reading config.cfg into its list of options.
#include "configfile.h"
#include <cstring>
#include <string>
#include "gamepad.h"
#include "readfile.h"
#include "vars.h"

const ConfigOptionRow CONFIG_OPTIONS[] = {
    {"fs", ConfigOption::Fullscreen, "\tEnabled fullscreen", nullptr, "full screen"},
    {"fullscreen", ConfigOption::Fullscreen, "\tEnabled fullscreen", nullptr, "full screen"},
    {"pickpocketry", ConfigOption::Pickpocketry, "\tCheating fucker, you enabled invincible lockpick mode!",
     &MiscVars::bCheatPick, "lock-picks never break"},
    {"noalpha", ConfigOption::NoAlpha, "\tDisabled Alpha", &MiscVars::bNoAlpha,
     "the message line is drawn opaque instead of fading"},
    {"widescreen", ConfigOption::Widescreen, "\tEnabled widescreen! Windowing..", nullptr,
     "a 1024 by 600 window instead of 800 by 600"},
    {"longtalk", ConfigOption::LongTalk, "\tTalk timer slowed", nullptr,
     "messages stay on screen 2.5 s instead of 1.7 s"},
    {"windowed", ConfigOption::Windowed, "\tWindowed mode enabled", nullptr,
     "a window (undoes an earlier fullscreen, unless widescreen came before)"},
    {"fastwater", ConfigOption::FastWater, "\tFast water enabled", &MiscVars::bFastWater,
     "sea tiles are not drawn (the blue background shows)"},
    {"debug", ConfigOption::Debug, "\tHello developers", &MiscVars::debugMode,
     "the map screen shows frame rates and your position"},
    {"framecap", ConfigOption::FrameCap, "\tFrame rate capped at 60 a second", nullptr,
     "at most 60 frames a second on every screen"},
    {"doorassist", ConfigOption::DoorAssist, "\tDoorway assist enabled", &MiscVars::bDoorAssist,
     "walking into a one-tile gap a little off line slides you into it"},
    {"readabletext", ConfigOption::ReadableText, "\tReadable text on", &MiscVars::bReadableText,
     "text over the map or a fight gets a dark outline or backdrop"},
    {"fightdetails", ConfigOption::FightDetails, "\tFight details on", &MiscVars::bFightDetails,
     "fights show both sides' health in numbers and say who did what"},
    {"readtime", ConfigOption::ReadTime, "\tMessages stay until read", &MiscVars::bReadTime,
     "messages stay at least 2.5 s, long ones up to 6 s"},
    {"confirmations", ConfigOption::Confirmations, "\tSaves and quits acknowledged", &MiscVars::bConfirmations,
     "F1 says whether the game was saved; F2 asks before quitting to the menu"},
    {"shopcursor", ConfigOption::ShopCursor, "\tShops keep your place", &MiscVars::bShopCursor,
     "the shop cursor stays on what you bought or sold; worn gear is marked and asked about"},
    {"easytalk", ConfigOption::EasyTalk, "\tEasy talking on", &MiscVars::bEasyTalk,
     "Return talks to anyone beside you, and says so when nobody is in reach"},
    {"rewardhelp", ConfigOption::RewardHelp, "\tReward choices explained", &MiscVars::bRewardHelp,
     "the level-up screen says what each choice gives"},
    {"keepweapon", ConfigOption::KeepWeapon, "\tWeapon in hand kept", &MiscVars::bKeepWeapon,
     "a fight starts with the weapon of the last one, or the best you carry; V goes down the list, B up"},
    {"packorder", ConfigOption::PackOrder, "\tPack kept in order", &MiscVars::bPackOrder,
     "the inventory lists potions first and like items once with a count, and keeps its cursor"},
    {"stepround", ConfigOption::StepRound, "\tFoes step round walls", &MiscVars::bStepRound,
     "a foe in a fight walks round a wall between you by the shortest way"},
    {"floatring", ConfigOption::FloatRing, "\tFloat-ring shown at sea", &MiscVars::bFloatRing,
     "with a floater worn you are seen in a red and white ring out at sea"},
    {"earlyfinds", ConfigOption::EarlyFinds, "\tEarly finds told first", &MiscVars::bEarlyFinds,
     "a quest's item found before the quest was given is taken once the quest is told, so its story moves on"},
};
const size_t CONFIG_OPTION_COUNT = sizeof CONFIG_OPTIONS / sizeof CONFIG_OPTIONS[0];

const ConfigOptionRow& configOptionRow(ConfigOption option)
{
    for (const ConfigOptionRow& row : CONFIG_OPTIONS)
        if (row.option == option)
            return row;
    return CONFIG_OPTIONS[0];
}

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
        for (const ConfigOptionRow& row : CONFIG_OPTIONS) {
            if (!strcmp(line, row.keyword)) {
                options.push_back(row.option);
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
