// makeworld.cpp -- entry point: `makeworld <content-dir> <out-dir>` builds the shipped game and the tutorial.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include "Map.h"
#include "game-layout.h"
#include "makeworld.h"
#include "picture.h"
#include "readfile.h"
#include "signs-file.h"
#include "vars.h"

namespace {

// The scrolling-text screen shows at most 127 lines of at most 124 characters.
bool readScrollText(const std::string& path, std::string& out)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return false;
    if (lines.size() > 125)
        problem(path, 126, "a scrolling text holds at most 125 lines here (the screen stops at 127)");
    for (size_t i = 0; i < lines.size(); i++) {
        if (lines[i].size() > 124)
            problem(path, (int)i + 1, "longer than 124 characters");
        out += lines[i] + "\n";
    }
    return true;
}

// signs.txt is copied as written, once every line reads and every sign stands on a signpost.
void readSigns(const std::string& path, Map& map, std::string& out)
{
    std::string bytes;
    if (!readWholeFile(path.c_str(), SIGNS_FILE_MAX, bytes)) {
        problem(path, 0, "cannot be read");
        return;
    }
    std::vector<Signpost> signs;
    std::vector<SignProblem> problems;
    readSignposts(bytes, signs, problems);
    for (const SignProblem& p : problems)
        problem(path, p.line, p.message);
    for (const Signpost& s : signs)
        if (map.getTileAt(s.column, s.row) != TILE_SIGNPOST)
            problem(path, s.line, "no signpost on tile " + std::to_string(s.column) + "," + std::to_string(s.row));
    out = bytes;
}

// Removes a folder of numbered records so that files left from a larger build cannot be read back.
bool freshFolder(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    return makeDirs(path);
}

bool writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        fprintf(stderr, "makeworld: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Builds one game from content/<name> into out/<dir>.
bool buildGame(const std::string& contentRoot, const std::string& name, const Legend& legend,
               const std::string& outRoot)
{
    std::string src = contentRoot + "/" + name;
    WorldPlan plan;
    int before = problemCount();
    if (!readWorldPlan(src, plan))
        return false;
    std::unique_ptr<Map> map(new Map());
    map->Init();
    for (int r = 0; r < Map::SIZE; r++)
        for (int c = 0; c < Map::SIZE; c++)
            map->level[r][c] = plan.fill;
    buildTerrain(plan, legend, *map);
    Records rec;
    readRecords(src, plan, *map, rec);
    std::string intro, credits;
    readScrollText(src + "/intro.txt", intro);
    bool hasCredits = std::filesystem::exists(src + "/credits.txt");
    if (hasCredits)
        readScrollText(src + "/credits.txt", credits);
    std::string signs;
    bool hasSigns = std::filesystem::exists(src + "/" + SIGNS_FILE);
    if (hasSigns)
        readSigns(src + "/" + SIGNS_FILE, *map, signs);
    if (plan.endings.empty())
        problem(src + "/world.txt", 0, "a game needs at least one ending slide");
    if (problemCount() != before) {
        fprintf(stderr, "makeworld: %s has problems; nothing written\n", name.c_str());
        return false;
    }

    std::string out = outRoot + "/" + plan.dir;
    bool ok = makeDirs(out);
    for (const char* sub : {"npcdef", "idef", "qdef", "ending"})
        ok = ok && freshFolder(out + "/" + sub);
    if (!ok)
        return false;
    MiscVars vars;
    vars.gameName = plan.title;
    vars.dir = plan.dir;
    ok = vars.writeTo(gameFile(out, VARS_FILE).c_str());
    for (size_t i = 0; i < rec.actors.size(); i++)
        ok = rec.actors[i]->writeTo(recordFile(out, CHARACTER_FOLDER, (int)i).c_str()) && ok;
    for (size_t i = 0; i < rec.items.size(); i++)
        ok = rec.items[i]->writeTo(recordFile(out, ITEM_FOLDER, (int)i).c_str()) && ok;
    for (size_t i = 0; i < rec.quests.size(); i++)
        ok = rec.quests[i]->writeTo(recordFile(out, QUEST_FOLDER, (int)i).c_str()) && ok;
    ok = map->writeTo(gameFile(out, MAP_FILE).c_str()) && ok;
    ok = writeText(gameFile(out, INTRO_FILE), intro) && ok;
    if (hasCredits)
        ok = writeText(out + "/credits.txt", credits) && ok;
    if (hasSigns)
        ok = writeText(out + "/" + SIGNS_FILE, signs) && ok;
    ok = drawEndings(plan, out) && ok;
    printf("%-9s %3zu characters, %3zu items, %2zu quests, %zu ending slides -> %s\n", name.c_str(),
           rec.actors.size(), rec.items.size(), rec.quests.size(), plan.endings.size(), out.c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s <content-dir> <out-dir>   (e.g. content .)\n", argv[0]);
        return 2;
    }
    std::string content = argv[1], out = argv[2];
    Legend legend;
    if (!readLegend(content + "/legend.txt", legend) || problemCount() > 0)
        return 1;
    bool ok = true;
    for (const char* game : {"data", "tutorial"})
        ok = buildGame(content, game, legend, out) && ok;
    return ok ? 0 : 1;
}
