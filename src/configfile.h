// configfile.h -- the options of config.cfg, read in the order the file gives them.
#pragma once
#include <cstdio>
#include <vector>
#include <SDL_keysym.h>

enum class ConfigOption {
    Fullscreen, Pickpocketry, NoAlpha, Widescreen, LongTalk, Windowed, FastWater, Debug, FrameCap, DoorAssist,
    ReadableText, FightDetails, ReadTime, Confirmations, ShopCursor, EasyTalk, RewardHelp, KeepWeapon, PackOrder,
    StepRound, FloatRing, EarlyFinds
};

class MiscVars;

// One line of config.cfg that names an option. An option that only turns a switch of the
// game's variables on names it in `flag`; the others (window, talk time, frame cap) are acted
// on by the game object's constructor.
class ConfigOptionRow
{
public:
    const char* keyword;        // the whole line, exactly
    ConfigOption option;
    const char* confirmation;   // printed as a line on standard output when read
    bool MiscVars::*flag;       // or nullptr
    const char* help;           // what it does, in one line for the player
};

// Every keyword of config.cfg, in the order lines are matched against them.
extern const ConfigOptionRow CONFIG_OPTIONS[];
extern const size_t CONFIG_OPTION_COUNT;
// The first row of `option`.
const ConfigOptionRow& configOptionRow(ConfigOption option);

// A `joybutton N KEY` line: button N of the joystick stands for the key named KEY.
class JoyButtonBinding
{
public:
    int button = 0;
    SDLKey key = SDLK_UNKNOWN;
};

// The key a config.cfg line names ("return", "escape", "space", "backspace", "tab", "up",
// "down", "left", "right", "pageup", "pagedown", "f1" to "f12", "a" to "z"), SDLK_UNKNOWN for
// anything else.
SDLKey configKeyNamed(const char* name);

// Every line of the file that is exactly an option's keyword, in file order;
// other lines are skipped. The `joybutton` lines go into `buttons` when given; a
// malformed one is skipped with a message on standard error naming `name` and the line.
std::vector<ConfigOption> readConfigOptions(FILE* cfg, std::vector<JoyButtonBinding>* buttons = nullptr,
                                            const char* name = "config.cfg");

// Reads the options file at `path` (a regular file of at most CONFIG_FILE_MAX
// bytes, readfile.h) into `options`. False when there is no such file, or it
// is refused (with a message), which counts as having none.
bool readConfigFile(const char* path, std::vector<ConfigOption>& options,
                    std::vector<JoyButtonBinding>* buttons = nullptr);
