// journal.h -- what the journal screen remembers of this sitting: the last message lines and who gave each quest.
#pragma once
#include <cstddef>
#include <deque>
#include <map>
#include <string>

// Kept in memory only and never saved: a loaded game starts with an empty
// journal. Both parts are bounded: LINES_KEPT lines, and one giver for each
// quest of the game at most.
struct Journal
{
    static constexpr size_t LINES_KEPT = 20;

    // Adds a line as the message line showed it; the oldest goes past LINES_KEPT.
    void recordLine(const std::string& text);
    // The quest at this position of the quest list was described by this character.
    void recordGiver(size_t quest, const std::string& giver);

    std::deque<std::string> lines;           // oldest first
    std::map<size_t, std::string> givers;    // quest position -> giver's name
};
