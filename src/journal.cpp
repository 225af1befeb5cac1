// journal.cpp -- the journal screen (key J on the map): open quests and their givers' words, quests done, the last message lines.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "game.h"

void Journal::recordLine(const std::string& text)
{
    lines.push_back(text);
    while (lines.size() > LINES_KEPT)
        lines.pop_front();
}

void Journal::recordGiver(size_t quest, const std::string& giver)
{
    givers[quest] = giver;
}

namespace {

const int MARGIN = 10;                 // window pixels left of every line
const int INDENT = 20;                 // extra window pixels before an entry under a heading
const size_t ROWS_PER_ENTRY = 4;       // a longer entry ends its last row with "..."
const char* const ELLIPSIS = "...";

struct Row
{
    std::string text;
    int x;
};

// The longest start of `text` that fits `width` with "..." after it.
std::string cutToFit(TTF_Font* font, const std::string& text, int width)
{
    size_t lo = 0, hi = text.size();
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (textWidthOf(font, text.substr(0, mid) + ELLIPSIS) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.substr(0, lo) + ELLIPSIS;
}

// Breaks `text` at spaces into rows no wider than `width`. A word wider than
// a row is cut; past ROWS_PER_ENTRY rows the last one ends in "...".
std::vector<std::string> wrap(TTF_Font* font, const std::string& text, int width)
{
    std::vector<std::string> rows(1);
    size_t at = 0;
    while (at < text.size() && rows.size() <= ROWS_PER_ENTRY) {
        size_t end = std::min(text.find(' ', at), text.size());
        std::string word = text.substr(at, end - at);
        at = end + 1;
        std::string& row = rows.back();
        std::string joined = row.empty() ? word : row + " " + word;
        std::string fitted = textWidthOf(font, word) <= width ? word : cutToFit(font, word, width);
        if (textWidthOf(font, joined) <= width)
            row = joined;
        else if (row.empty())
            row = fitted;
        else
            rows.push_back(fitted);
    }
    if (rows.size() > ROWS_PER_ENTRY || at < text.size()) {
        rows.resize(std::min(rows.size(), ROWS_PER_ENTRY));
        rows.back() = cutToFit(font, rows.back(), width);
    }
    return rows;
}

// Every row of the journal, top to bottom, made once when the screen opens.
std::vector<Row> journalRows(CGame& g)
{
    std::vector<Row> rows;
    int width = g.SCREEN_WIDTH - 2 * MARGIN - INDENT;
    auto heading = [&](const std::string& text) { rows.push_back({text, MARGIN}); };
    auto entry = [&](const std::string& text) {
        for (const std::string& r : wrap(g.font, text, width))
            rows.push_back({r, MARGIN + INDENT});
    };

    // An open quest shows once its giver has described it, in this sitting
    // or (its flag raised) in an earlier one whose giver is not known.
    std::vector<std::string> open, done;
    size_t position = 0;
    for (const Quest* q : g.questList) {
        auto giver = g.journal.givers.find(position++);
        bool told = giver != g.journal.givers.end();
        bool flagged = q->flagId >= 0 && q->flagId < FLAG_COUNT && g.vars.flags[q->flagId];
        if (q->bIsCompleted)
            done.push_back(q->description);
        else if (told && !giver->second.empty())
            open.push_back(giver->second + ": \"" + q->description + "\"");
        else if (told || flagged)
            open.push_back("\"" + q->description + "\"");
    }

    heading("Open quests");
    if (open.empty())
        entry("(none)");
    for (const std::string& s : open)
        entry(s);
    rows.push_back({"", MARGIN});
    char line[64];
    snprintf(line, sizeof line, "Quests done: %zu/%zu", done.size(), g.questList.size());
    heading(line);
    for (const std::string& s : done)
        entry(s);
    rows.push_back({"", MARGIN});
    heading("Last words, newest first");
    if (g.journal.lines.empty())
        entry("(none)");
    for (auto it = g.journal.lines.rbegin(); it != g.journal.lines.rend(); ++it)
        entry(*it);
    return rows;
}

} // namespace

// Drawn in the status screen's manner. Up and Down (or Page Up and Page
// Down) scroll a list longer than the window; Escape or J closes. Closing
// the window closes the journal and quits the game, as on the map.
void CGame::journalScreen()
{
    std::vector<Row> rows = journalRows(*this);
    int h = returnTextHeight();
    int top = 10 + h;
    int shown = std::max(1, (SCREEN_HEIGHT - 2 * h - top) / h);
    int last = std::max(0, (int)rows.size() - shown);
    int first = 0;
    bool leaving = false;
    while (!leaving) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        drawTextAt("Journal", MARGIN, 10);
        for (int i = 0; i < shown && first + i < (int)rows.size(); i++) {
            const Row& r = rows[first + i];
            if (!r.text.empty())
                drawTextAt(r.text.c_str(), r.x, top + i * h);
        }
        if (last > 0)
            drawTextAt("Up, Down: scroll   Escape, J: close", MARGIN, SCREEN_HEIGHT - h);
        else
            drawTextAt("Press escape or J to close", MARGIN, SCREEN_HEIGHT - h);
        endScreenFrame();

        while (nextEvent(QuitRule::EndsGame)) {
            if (event.type == SDL_QUIT) {
                leaving = true;
                continue;
            }
            if (event.type != SDL_KEYDOWN)
                continue;
            switch (event.key.keysym.sym) {
            case SDLK_ESCAPE:
            case SDLK_j:
                leaving = true;
                break;
            case SDLK_UP:
                first = std::max(0, first - 1);
                break;
            case SDLK_DOWN:
                first = std::min(last, first + 1);
                break;
            case SDLK_PAGEUP:
                first = std::max(0, first - shown);
                break;
            case SDLK_PAGEDOWN:
                first = std::min(last, first + shown);
                break;
            default:
                break;
            }
        }
    }
    resetFrameTimers();
}
