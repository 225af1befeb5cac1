// tmx-import.cpp -- puts an edited Tiled map back into a game folder: map.dat and the moved records, all or nothing.
#include <cstdio>
#include <sstream>
#include <sys/stat.h>
#include "confined-fs.h"
#include "readfile.h"
#include "savefiles.h"
#include "recordlines.h"
#include "tmx-folder.h"
#include "tmx.h"

namespace {

// Positions outside the map are kept (the record may mean it), but said.
bool onMap(int x, int y) { return x >= 0 && y >= 0 && x < MAP_SIZE * TILE_SIZE && y < MAP_SIZE * TILE_SIZE; }

// A record's name as it may go to a terminal: control characters shown as '?', cut short.
std::string printable(const std::string& name)
{
    std::string out = name.substr(0, 40);
    for (char& c : out)
        if ((unsigned char)c < 0x20 || c == 0x7f)
            c = '?';
    return out;
}

// A record that was in the exported file and is gone from it: Tiled can delete
// an object, the map tool cannot delete a record, so it is said and left alone.
void warnMissing(const std::string& tmxPath, const std::string& dir, const char* series, int i,
                 const std::string& name, float x, float y)
{
    fprintf(stderr, "%s: warning: %s/%s/%i.def (\"%s\") is not in the file (deleted in Tiled?); "
                    "it stays in the game where it was, at %i,%i\n", tmxPath.c_str(), dir.c_str(),
            series, i, printable(name).c_str(), wholeNumberOf(x), wholeNumberOf(y));
}

// Writes a record when its position changed, through the engine's writer,
// into the save batch of the folder.
template <class Record>
bool moveRecord(SaveBatch& batch, const std::string& path, Record& r, const TiledObject& o, int& moved)
{
    if (wholeNumberOf(r.x) == o.x && wholeNumberOf(r.y) == o.y)
        return true;
    r.x = (float)o.x;
    r.y = (float)o.y;
    moved++;
    return writeFileSafely(batch, path, [&](std::ostream& out) { return r.writeTo(out); });
}

} // namespace

bool importTiledMap(const std::string& tmxPath, const std::string& dir)
{
    TiledMapFile file;
    if (!readTiledMap(tmxPath, file))
        return false;
    FolderRecords folder;
    if (!readFolderRecords(dir, folder))
        return false;
    const TileArea& a = file.area;
    bool whole = a.whole();
    if (!whole && !folder.map) {
        fprintf(stderr, "quorvane-map: %s holds part of a map, and %s/map.dat, the rest of it, is missing\n",
                tmxPath.c_str(), dir.c_str());
        return false;
    }

    // Check every object against the folder before anything is written.
    std::vector<bool> seenActor(folder.actors.size()), seenItem(folder.items.size());
    for (const TiledObject& o : file.objects) {
        const char* kind = o.bCharacter ? "character" : "item";
        size_t count = o.bCharacter ? folder.actors.size() : folder.items.size();
        if ((size_t)o.record >= count) {
            fprintf(stderr, "%s:%i: error: %s %i is not in %s (it has %zu)\n", tmxPath.c_str(), o.line, kind,
                    o.record, dir.c_str(), count);
            return false;
        }
        std::vector<bool>& seen = o.bCharacter ? seenActor : seenItem;
        if (seen[o.record]) {
            fprintf(stderr, "%s:%i: error: %s %i is on the map twice\n", tmxPath.c_str(), o.line, kind, o.record);
            return false;
        }
        seen[o.record] = true;
        if (!o.bCharacter && folder.items[o.record].owner != OWNER_MAP) {
            fprintf(stderr, "%s:%i: error: item %i is not lying on the map in %s (owner %u)\n", tmxPath.c_str(),
                    o.line, o.record, dir.c_str(), folder.items[o.record].owner);
            return false;
        }
        if (!a.shows(o.x, o.y)) {
            // The file holds only its area: what lies beyond it is not in the file, so a
            // thing moved there could no longer be seen, moved back or told from a deleted one.
            fprintf(stderr, "%s:%i: error: %s %i was moved outside the file's area (%i tiles from column %i, "
                            "%i from row %i), to %i,%i; move it back in, or export an area that holds both places\n",
                    tmxPath.c_str(), o.line, kind, o.record, a.w, a.x, a.h, a.y, o.x, o.y);
            return false;
        }
        if (!onMap(o.x, o.y))
            fprintf(stderr, "%s:%i: warning: %s %i is placed off the map, at %i,%i\n", tmxPath.c_str(), o.line,
                    kind, o.record, o.x, o.y);
    }
    // What the export put in the file and the file no longer holds.
    for (size_t i = 0; i < folder.actors.size(); i++) {
        const Actor& r = folder.actors[i];
        if (!seenActor[i] && a.shows(wholeNumberOf(r.x), wholeNumberOf(r.y)))
            warnMissing(tmxPath, dir, "npcdef", (int)i, r.myName, r.x, r.y);
    }
    for (size_t i = 0; i < folder.items.size(); i++) {
        const Item& r = folder.items[i];
        if (!seenItem[i] && r.owner == OWNER_MAP && a.shows(wholeNumberOf(r.x), wholeNumberOf(r.y)))
            warnMissing(tmxPath, dir, "idef", (int)i, r.itemName, r.x, r.y);
    }

    std::unique_ptr<Map> grid(new Map());
    if (folder.map)
        *grid = *folder.map;
    else
        grid->Init();
    for (int r = 0; r < a.h; r++)
        for (int c = 0; c < a.w; c++)
            grid->level[a.y + r][a.x + c] = file.tiles[(size_t)r * a.w + c];

    // The files are written and put in place as the engine saves a game in
    // place: beside their places, then all at once through a commit list that
    // a kill cannot cut in half (the game's next load or save finishes it).
    bool ok = true;
    int moved = 0;
    bool mapChanged = false;
    finishSpareFolders();
    SaveLock lock(folderOfPath(dir));
    if (!finishInterruptedSave(dir))
        return false;
    SaveBatch batch;
    beginSaveBatch(batch, dir, true);
    withoutProgressLines([&] {
        std::string mapPath = dir + "/map.dat";
        std::ostringstream text;
        grid->writeTo(text);
        // An unchanged map is not rewritten.
        std::string before;
        mapChanged = !readFileBelow(dir, "map.dat", MAP_FILE_MAX, before) || before != text.str();
        if (mapChanged && !writeFileSafely(batch, mapPath, [&](std::ostream& out) { return !(out << text.str()).fail(); })) {
            ok = false;
            return;
        }
        for (const TiledObject& o : file.objects) {
            if (o.bCharacter)
                ok = moveRecord(batch, recordPath(dir, "npcdef", o.record), folder.actors[o.record], o, moved) && ok;
            else
                ok = moveRecord(batch, recordPath(dir, "idef", o.record), folder.items[o.record], o, moved) && ok;
            if (!ok)
                return;
        }
        ok = flushSaveBatch(batch);
    });
    if (!endSaveBatch(batch, ok)) {
        // A commit list left behind means the import is done, only not yet in place.
        struct stat st;
        if (lstat((dir + "/.commit").c_str(), &st) != 0)
            fprintf(stderr, "quorvane-map: nothing in %s was changed\n", dir.c_str());
        return false;
    }
    printf("quorvane-map: %s into %s: map %s, %i record%s moved\n", tmxPath.c_str(), dir.c_str(),
           mapChanged ? "written" : "unchanged", moved, moved == 1 ? "" : "s");
    return true;
}
