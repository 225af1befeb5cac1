// configfile.cpp -- reading config.cfg into its list of options.
#include "configfile.h"
#include <cstring>

// Reads one line of at most 97 characters without its line feed. A longer
// line is cut there and the rest of it skipped, so it matches no keyword.
static bool readConfigLine(FILE* f, char* line, size_t size)
{
    if (!fgets(line, (int)size, f))
        return false;
    size_t n = strlen(line);
    if (n > 0 && line[n - 1] == '\n') {
        line[n - 1] = '\0';
    } else if (!feof(f)) {
        int c;
        while ((c = fgetc(f)) != EOF && c != '\n') {
        }
        line[0] = '\0';
    }
    return true;
}

std::vector<ConfigOption> readConfigOptions(FILE* cfg)
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
        {"debug", ConfigOption::Debug},
    };
    std::vector<ConfigOption> options;
    char line[99];
    while (readConfigLine(cfg, line, sizeof line)) {
        for (const auto& k : KEYWORDS) {
            if (!strcmp(line, k.keyword)) {
                options.push_back(k.option);
                break;
            }
        }
    }
    return options;
}
