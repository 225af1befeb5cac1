// signposts.cpp -- reading signposts: signs.txt loaded with a game, and Return beside a signpost.
#include <cctype>
#include <cstdio>
#include "game.h"
#include "readfile.h"

namespace {

// A folder name on its own, as vars.sav names the game a save came from ("data").
bool plainFolderName(const std::string& d)
{
    if (d.empty() || d[0] == '.')
        return false;
    for (char c : d)
        if (!isalnum((unsigned char)c) && c != '-' && c != '_' && c != '.')
            return false;
    return true;
}

} // namespace

// A saved game reads the signs of the game it came from (vars.sav's folder), as it shows that
// game's ending slides. No file, no signs: Return then only talks.
void CGame::loadSignposts(const char* dir)
{
    signposts.clear();
    std::string bytes, path = std::string(dir) + "/" + SIGNS_FILE;
    if (!readWholeFile(path.c_str(), SIGNS_FILE_MAX, bytes)) {
        if (!plainFolderName(vars.dir) || vars.dir == dir)
            return;
        path = vars.dir + "/" + SIGNS_FILE;
        if (!readWholeFile(path.c_str(), SIGNS_FILE_MAX, bytes))
            return;
    }
    std::vector<SignProblem> problems;
    readSignposts(bytes, signposts, problems);
    for (const SignProblem& p : problems)
        fprintf(stderr, "%s:%i: %s\n", path.c_str(), p.line, p.message.c_str());
}

// Return beside a signpost (its tile one of the nine around the player's middle) reads it, when
// no one stands within talking reach: people are answered first. False when nothing was read.
bool CGame::readSignpost()
{
    if (signposts.empty() || !player || talkPartner())
        return false;
    int tx = (int)(player->x + TILE_SIZE / 2) / TILE_SIZE, ty = (int)(player->y + TILE_SIZE / 2) / TILE_SIZE;
    for (int r = ty - 1; r <= ty + 1; r++)
        for (int c = tx - 1; c <= tx + 1; c++) {
            if (theMap->getTileAt(c, r) != TILE_SIGNPOST)
                continue;
            for (const Signpost& s : signposts)
                if (s.column == c && s.row == r) {
                    showMessage(s.text);
                    return true;
                }
        }
    return false;
}
