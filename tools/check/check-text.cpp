// check-text.cpp -- quorvane-check on what the player reads: intro.txt, the ending slides and the lines characters say.
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include "check.h"
#include "credits.h"
#include "mediafiles.h"
#include "readfile.h"

namespace {


int widthOf(const CheckedGame& g, const std::string& line)
{
    int w = 0, h = 0;
    if (TTF_SizeText(g.assets.font, line.c_str(), &w, &h) != 0)
        return 0;
    return w;
}

void checkIntro(CheckedGame& g)
{
    std::string bytes;
    if (!readNeededFile(g, "intro.txt", TEXT_FILE_MAX, bytes, Severity::Warning,
                        "the game starts without an introduction"))
        return;
    if (bytes.empty()) {
        g.warn("intro.txt", 0, "empty: the introduction shows nothing");
        return;
    }
    bool cr = false;
    int n = 0;
    for (size_t at = 0; at < bytes.size(); n++) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        int number = n + 1;
        if (number > CREDIT_ENTRIES_MAX) {
            g.warn("intro.txt", number, "only the first " + std::to_string(CREDIT_ENTRIES_MAX) + " lines are shown");
            break;
        }
        if (!cr && line.find('\r') != std::string::npos) {
            cr = true;
            g.warn("intro.txt", number, "carriage return at the end of the line: save the file with plain line feeds");
        }
        if ((int)line.size() > CREDIT_LINE_MAX) {
            g.error("intro.txt", number, "longer than " + std::to_string(CREDIT_LINE_MAX) +
                                             " characters: it is cut, and every line after it shows blank");
            break;
        }
        if (CREDIT_TEXT_X + widthOf(g, line) > NARROW_SCREEN_WIDTH)
            g.warn("intro.txt", number, "runs off the right edge of the " + std::to_string(NARROW_SCREEN_WIDTH) +
                                            "-pixel window");
    }
}

// Numbered files in `folder` from `from` on, which a series that stopped before them never reaches.
std::vector<std::string> filesAfter(const std::string& folder, int from, const char* suffix)
{
    std::vector<std::string> names;
    DIR* d = opendir(folder.c_str());
    if (!d)
        return names;
    std::string end = suffix;
    while (struct dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() <= end.size() || name.size() > end.size() + 9 ||
            name.compare(name.size() - end.size(), end.size(), end) != 0)
            continue;
        size_t digits = name.size() - end.size();
        bool plain = !(digits > 1 && name[0] == '0');
        for (size_t i = 0; i < digits; i++)
            plain = plain && name[i] >= '0' && name[i] <= '9';
        if (plain && atoi(name.c_str()) > from)
            names.push_back(name);
    }
    closedir(d);
    return names;
}

bool hasEnding(const CheckedGame& g)
{
    for (const Actor* a : g.actors)
        if (a->conversation[0] == "Ending")
            return true;
    return false;
}

// The slides as the engine's slide show reads them: 0, 1, 2 ... up to the first that does not
// decode; a slide larger than the window is passed over.
void checkSlides(CheckedGame& g)
{
    int shown = 0, i = 0;
    for (;; i++) {
        std::string name = "ending/" + std::to_string(i) + ".png";
        std::string path = g.dir + "/" + name;
        PictureStatus status = PictureStatus::Missing;
        SDL_Surface* s;
        {
            QuietOutput quiet;
            s = loadPictureFile(path.c_str(), WIDE_SCREEN_WIDTH, SCREEN_HEIGHT, true, &status);
        }
        if (status == PictureStatus::TooLarge) {
            g.error(name, 0, "larger than the window (" + std::to_string(WIDE_SCREEN_WIDTH) + " by " +
                                 std::to_string(SCREEN_HEIGHT) + " at most): the slide show passes it over");
            continue;
        }
        if (!s) {
            struct stat st;
            if (lstat(path.c_str(), &st) == 0)
                g.error(name, 0, "does not decode as a PNG picture: the slide show ends before it");
            break;
        }
        if (s->w > NARROW_SCREEN_WIDTH)
            g.warn(name, 0, "wider than the " + std::to_string(NARROW_SCREEN_WIDTH) +
                                "-pixel window: it is shown only with the widescreen option");
        SDL_FreeSurface(s);
        shown++;
    }
    std::vector<std::string> late = filesAfter(g.dir + "/ending", i, ".png");
    if (!late.empty()) {
        std::string first = *std::min_element(late.begin(), late.end(), [](const std::string& a, const std::string& b) {
            return atoi(a.c_str()) < atoi(b.c_str());
        });
        g.error("ending/" + first, 0, "never shown" +
                                          (late.size() > 1 ? ", nor the " + std::to_string(late.size() - 1) + " numbered after it"
                                                           : std::string()) +
                                          ": ending/" + std::to_string(i) + ".png ends the slide show before it");
    }
    if (shown == 0 && hasEnding(g))
        g.error("ending/0.png", 0, "no ending slides: when every quest is done the Ending character shows nothing, "
                                   "and the game goes on");
}

// Every line a character can put on the message line fits across the window.
void checkSpokenLines(CheckedGame& g)
{
    auto fits = [&](const std::string& line, const std::string& file, int number) {
        if (widthOf(g, line) > NARROW_SCREEN_WIDTH)
            g.warn(file, number, "the line \"" + line.substr(0, 50) + "...\" is wider than the " +
                                     std::to_string(NARROW_SCREEN_WIDTH) + "-pixel window");
    };
    // Every quest giver says every quest; the one with the widest name stands for them all.
    const Actor* giver = nullptr;
    int widest = -1;
    for (size_t i = 0; i < g.actors.size(); i++) {
        const Actor* a = g.actors[i];
        const std::string& c0 = a->conversation[0];
        const std::string& file = g.actorText[i].name;
        if (c0 == "Questy") {
            int w = widthOf(g, a->myName);
            if (w > widest) {
                widest = w;
                giver = a;
            }
        } else if (c0 == "Shoppy") {
            fits(a->myName + " says \"Welcome to my store!\"", file, 16);
        } else if (c0 == "Keyshop") {
            fits(a->myName + " says \"Buy your room-keys here!\"", file, 16);
        } else if (c0 == "Gamble") {
            fits(a->myName + " says: \"" + a->conversation[1] + "\"", file, 15);
        } else if (!isRoleKeyword(c0)) {
            fits(a->myName + " says: \"" + c0 + "\"", file, 14);
            if (!isSeaMonster(a))
                fits(a->myName + " says: \"" + a->conversation[1] + "\"", file, 15);
        }
    }
    if (giver)
        for (size_t i = 0; i < g.quests.size(); i++)
            fits(giver->myName + " intones: \"" + g.quests[i]->description + "\"", g.questText[i].name, 1);
    for (size_t i = 0; i < g.items.size(); i++) {
        fits("You got a " + g.items[i]->itemName, g.itemText[i].name, 8);
        fits("Good work, you found the " + g.items[i]->itemName + ".", g.itemText[i].name, 8);
    }
}

} // namespace

void checkTexts(CheckedGame& g)
{
    checkIntro(g);
    checkSlides(g);
    if (g.assets.font)
        checkSpokenLines(g);
}
