// tmx-folder.h -- what the map tool reads of a game folder (map, characters, items) and how it writes files back.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "Map.h"
#include "item.h"
#include "player.h"
#include "modkit.h"

// The parts of a game folder the map tool works on, read with the engine's
// own readers, series by series up to the first missing number as a load does.
class FolderRecords
{
public:
    std::unique_ptr<Map> map;   // null when the folder has no map.dat
    std::vector<Actor> actors;
    std::vector<Item> items;
};

// The path of record file i of a series ("npcdef", "idef").
std::string recordPath(const std::string& dir, const char* series, int i);
// Reads map.dat (when it is there and is a file the engine would read) and the
// character and item series, without the readers' progress lines. False, with
// the reason on standard error, when `dir` is not a folder.
bool readFolderRecords(const std::string& dir, FolderRecords& out);

// Files written beside their places ("PATH.tmx-part") and renamed over them
// only when every one was written; otherwise the written ones are removed.
// Each temporary file is made new first: a link or special file planted
// under its name is removed, never written through.
class PendingFiles
{
public:
    ~PendingFiles() { discard(); }
    // Writes the file through `write` (given the temporary path); false,
    // reported, when it failed.
    template <class Writer>
    bool add(const std::string& path, Writer write)
    {
        std::string part = path + ".tmx-part";
        if (!makePart(part)) {
            reportFailure(path);
            return false;
        }
        parts_.emplace_back(part, path);
        if (!write(part.c_str()) || !stillPlain(part)) {
            reportFailure(path);
            return false;
        }
        return true;
    }
    // Puts every written file in place; false (reported) when a rename failed.
    bool commit();
    void discard();
private:
    static bool makePart(const std::string& part);
    static bool stillPlain(const std::string& part);
    void reportFailure(const std::string& path);
    std::vector<std::pair<std::string, std::string>> parts_;   // (temporary, final)
};

// Runs f with the standard output of the engine's readers and writers (their
// "map loaded...." and such) sent nowhere.
template <class F>
void withoutProgressLines(F f)
{
    QuietOutput quiet(false);
    f();
}

