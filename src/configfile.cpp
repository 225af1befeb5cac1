// configfile.cpp -- reading config.cfg into its list of options.
#include "configfile.h"
#include <cstring>
#include <string>
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

template <class NextChar>
static std::vector<ConfigOption> optionsFrom(NextChar next)
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
        {"doorassist", ConfigOption::DoorAssist},
    };
    std::vector<ConfigOption> options;
    char line[99];
    while (readConfigLine(next, line, sizeof line)) {
        for (const auto& k : KEYWORDS) {
            if (!strcmp(line, k.keyword)) {
                options.push_back(k.option);
                break;
            }
        }
    }
    return options;
}

std::vector<ConfigOption> readConfigOptions(FILE* cfg)
{
    return optionsFrom([cfg]() { return fgetc(cfg); });
}

bool readConfigFile(const char* path, std::vector<ConfigOption>& options)
{
    std::string bytes;
    if (!readWholeFile(path, CONFIG_FILE_MAX, bytes))
        return false;
    size_t at = 0;
    options = optionsFrom([&bytes, &at]() { return at < bytes.size() ? (unsigned char)bytes[at++] : EOF; });
    return true;
}
