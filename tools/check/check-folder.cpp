// check-folder.cpp -- quorvane-check's driver: the shared assets, the order of the checks, and the report's lines.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <SDL_image.h>
#include "check.h"
#include "readfile.h"
#include "game.h"
#include "mediafiles.h"

namespace {

bool isFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Whether the picture at `path` decodes as the engine's asset loader would take it.
bool pictureLoads(const std::string& path)
{
    SDL_Surface* s = loadPictureFile(path.c_str(), ASSET_PICTURE_MAX, ASSET_PICTURE_MAX, false);
    if (!s)
        return false;
    SDL_FreeSurface(s);
    return true;
}

int countSeries(const std::string& format)
{
    char path[4200];
    for (int i = 0;; i++) {
        snprintf(path, sizeof path, format.c_str(), i);
        if (!pictureLoads(path))
            return i;
    }
}

// File names in the order a reader expects: the numbers in them compared as numbers, so that
// npcdef/9.def comes before npcdef/10.def.
bool namesInOrder(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        bool da = a[i] >= '0' && a[i] <= '9', db = b[j] >= '0' && b[j] <= '9';
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && a[ei] >= '0' && a[ei] <= '9')
                ei++;
            while (ej < b.size() && b[ej] >= '0' && b[ej] <= '9')
                ej++;
            std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            while (na.size() > 1 && na[0] == '0')
                na.erase(0, 1);
            while (nb.size() > 1 && nb[0] == '0')
                nb.erase(0, 1);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return (unsigned char)a[i] < (unsigned char)b[j];
            i++;
            j++;
        }
    }
    return a.size() - i < b.size() - j;
}

std::string plural(int n, const char* word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

} // namespace

int CheckResult::errors() const
{
    return (int)std::count_if(diagnostics.begin(), diagnostics.end(),
                              [](const Diagnostic& d) { return d.severity == Severity::Error; });
}

int CheckResult::warnings() const
{
    return (int)diagnostics.size() - errors();
}

// The font library counts its users: the one taken in load() keeps it open however many game
// objects start and end meanwhile.
CheckAssets::~CheckAssets()
{
    if (font)
        TTF_CloseFont(font);
    if (bFontLibrary)
        TTF_Quit();
}

bool CheckAssets::load(const std::string& where, std::string& why)
{
    dir = where;
    QuietOutput quiet;
    for (int s = 0; s < SPRITE_SETS; s++)
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++) {
                std::string p = dir + "/sprites/" + std::to_string(s) + "/" + std::to_string(d) + "-" +
                                std::to_string(f) + ".png";
                if (!pictureLoads(p)) {
                    why = p + " is missing or broken; the game cannot start without it";
                    return false;
                }
            }
    for (int i = 0; i < ICON_COUNT; i++) {
        std::string p = dir + "/icns/" + std::to_string(i) + ".png";
        if (!pictureLoads(p)) {
            why = p + " is missing or broken; the game cannot start without it";
            return false;
        }
    }
    spriteSets = countSpriteSets(dir, pictureLoads);
    itemPictures = countSeries(dir + "/items/%i.png");
    tilePictures = countSeries(dir + "/tiles/%i.png");
    if (!bFontLibrary) {
        if (TTF_Init() != 0) {
            why = "the font library cannot start";
            return false;
        }
        bFontLibrary = true;
    }
    font = openGameFont((dir + "/font.ttf").c_str());
    if (!font) {
        why = dir + "/font.ttf cannot be opened";
        return false;
    }
    return true;
}

CheckResult checkGameFolder(const std::string& dir, const CheckAssets& assets)
{
    CheckResult result;
    if (!isFolder(dir)) {
        result.bUnreadable = true;
        struct stat st;
        result.unreadableWhy = stat(dir.c_str(), &st) == 0 ? "not a folder" : "no such folder";
        return result;
    }
    {
        CheckedGame g(dir, assets, result);
        if (readAndCheckRecords(g)) {
            readAndCheckMap(g);
            checkPlacement(g);
            checkRoles(g);
            checkReach(g);
            checkTexts(g);
            checkSigns(g);
        }
    }
    std::stable_sort(result.diagnostics.begin(), result.diagnostics.end(), [](const Diagnostic& a, const Diagnostic& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.file != b.file)
            return namesInOrder(a.file, b.file);
        return a.line < b.line;
    });
    return result;
}

CheckedGame::CheckedGame(const std::string& d, const CheckAssets& a, CheckResult& r)
    : dir(d), assets(a), result(r), map(new Map())
{
    map->Init();
}

CheckedGame::~CheckedGame()
{
    for (Actor* a : actors)
        delete a;
    for (Item* it : items)
        delete it;
    for (Quest* q : quests)
        delete q;
}

const std::vector<size_t>& CheckedGame::itemsNamed(const std::string& shortName)
{
    if (!bNamesIndexed_) {
        for (size_t i = 0; i < items.size(); i++)
            byShortName_[items[i]->shortName].push_back(i);
        bNamesIndexed_ = true;
    }
    static const std::vector<size_t> none;
    auto found = byShortName_.find(shortName);
    return found == byShortName_.end() ? none : found->second;
}

bool readGameFile(const std::string& dir, const std::string& name, size_t limit, std::string& bytes,
                  bool& present)
{
    std::string path = dir + "/" + name;
    bool ok;
    {
        QuietOutput quiet;
        ok = readFileBelow(dir, name, limit, bytes);
    }
    struct stat st;
    present = ok || lstat(path.c_str(), &st) == 0;
    return ok;
}

bool readNeededFile(CheckedGame& g, const std::string& name, size_t limit, std::string& bytes, Severity s,
                    const std::string& consequence)
{
    bool present;
    if (readGameFile(g.dir, name, limit, bytes, present))
        return true;
    g.report(name, 0, s,
             (present ? "cannot be read (not a plain file, unreadable or too large): " : "missing: ") + consequence);
    return false;
}

void CheckedGame::report(const std::string& file, int line, Severity s, const std::string& message)
{
    Diagnostic d;
    d.file = file;
    d.line = line;
    d.severity = s;
    d.message = message;
    result.diagnostics.push_back(d);
}

void CheckedGame::cause(const std::string& file, int line, const std::string& message)
{
    error(file, line, message);
    result.diagnostics.back().rank = 0;
}

std::string formatDiagnostic(const std::string& dir, const Diagnostic& d)
{
    std::string where = dir;
    if (!d.file.empty())
        where += (dir.empty() || dir.back() == '/' ? "" : "/") + d.file;
    if (d.line > 0)
        where += ":" + std::to_string(d.line);
    return where + ": " + (d.severity == Severity::Error ? "error" : "warning") + ": " + d.message;
}

std::string summaryLine(const std::string& dir, const CheckResult& r)
{
    if (r.bUnreadable)
        return dir + ": cannot be read: " + r.unreadableWhy;
    if (r.diagnostics.empty())
        return dir + ": clean";
    return dir + ": " + plural(r.errors(), "error") + ", " + plural(r.warnings(), "warning");
}

int exitCodeOf(const CheckResult& r)
{
    if (r.bUnreadable)
        return 2;
    return r.errors() > 0 ? 1 : 0;
}

bool isRoleKeyword(const std::string& line)
{
    for (const char* r : {"Plyr", "Questy", "Shoppy", "Keyshop", "Gamble", "Ending"})
        if (line == r)
            return true;
    return false;
}

std::string roleName(const std::string& keyword)
{
    static const char* const ROLES[][2] = {
        {"Plyr", "the body to take over"}, {"Questy", "the quest giver"}, {"Shoppy", "the shopkeeper"},
        {"Keyshop", "the key shop"},       {"Gamble", "the gambler"},     {"Ending", "the character who shows the ending"},
    };
    for (const auto& r : ROLES)
        if (keyword == r[0])
            return r[1];
    return "";
}

// The name as given (a link called mygame is typed as mygame), unless it is "." or ".."
std::string folderNameOf(const std::string& dir)
{
    std::string d = dir;
    while (d.size() > 1 && d.back() == '/')
        d.pop_back();
    std::string last = d.substr(d.rfind('/') == std::string::npos ? 0 : d.rfind('/') + 1);
    if (!last.empty() && last != "." && last != "..")
        return last;
    char* real = realpath(dir.c_str(), NULL);
    if (!real)
        return last;
    d = real;
    free(real);
    return d.substr(d.rfind('/') + 1);
}

bool isSeaMonster(const Actor* a)
{
    return a->conversation[1] == "Seamonster";
}

// Small numbers that are not whole tiles were most likely meant as a tile's column and row.
std::string pixelHint(float x, float y)
{
    if (!(x >= 0 && y >= 0 && x < (float)MAP_SIZE && y < (float)MAP_SIZE))
        return "";
    int ix = (int)x, iy = (int)y;
    if (ix % TILE_SIZE == 0 && iy % TILE_SIZE == 0)
        return "";
    return " (lines 1 and 2 are map pixels, 48 to a tile: tile " + std::to_string(ix) + "," + std::to_string(iy) +
           " is " + std::to_string(ix * TILE_SIZE) + "," + std::to_string(iy * TILE_SIZE) + ")";
}

std::string tileText(float x, float y)
{
    return "tile " + std::to_string(tileOf(x)) + "," + std::to_string(tileOf(y));
}
