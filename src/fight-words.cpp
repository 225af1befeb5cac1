// fight-words.cpp -- console lines that say who did what in a fight ("fightdetails"), and the fighters' names in them.
#include <cctype>
#include "fight-actions.h"

namespace fight {

// A name whose later words are all in small letters is a kind of creature
// ("Bog hound", "Cutthroat"): it takes "the" and loses its capital. One with
// a capital further on is somebody's own name ("Captain Redmaw"), and one
// that starts with "The" has its article already ("The Drowned King").
std::string nameOf(const CGame& g, const Actor* a, bool sentenceStart)
{
    if (a == g.player)
        return sentenceStart ? "You" : "you";
    std::string name = a ? a->myName : "";
    size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? "enemy" : name.substr(first, name.find_last_not_of(' ') + 1 - first);
    bool ownArticle = name.compare(0, 4, "The ") == 0 || name.compare(0, 4, "the ") == 0;
    bool ownName = false;
    for (size_t i = name.find(' '); i != std::string::npos && i + 1 < name.size(); i = name.find(' ', i + 1))
        if (isupper((unsigned char)name[i + 1]))
            ownName = true;
    if (!ownArticle && !ownName) {
        if (name.size() < 2 || !isupper((unsigned char)name[1]))
            name[0] = (char)tolower((unsigned char)name[0]);
        name = "the " + name;
    }
    if (ownArticle || !ownName)
        name[0] = (char)(sentenceStart ? toupper((unsigned char)name[0]) : tolower((unsigned char)name[0]));
    return name;
}

std::string blowLine(const CGame& g, const Actor* by, const Actor* on, long long damage, bool landed)
{
    const bool you = by == g.player;
    std::string line = nameOf(g, by, true) + (landed ? (you ? " hit " : " hits ") : (you ? " miss " : " misses "));
    line += nameOf(g, on, false);
    if (landed)
        line += " for " + std::to_string(damage);
    return line;
}

} // namespace fight

// Potions and drinks taken in a fight report in the console at once; the
// message line is not drawn in a fight and would only show the news after it.
void CGame::showOutcome(const std::string& message, const std::string& fightLine)
{
    if (vars.bFightDetails && !bPlayingGame && mode == 1 && enemy)
        vars.fightMsgVec.push_back(fightLine);
    else
        showMessage(message);
}
