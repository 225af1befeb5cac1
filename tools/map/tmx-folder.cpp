// tmx-folder.cpp -- reading a game folder's map and records for the map tool, and writing files all or nothing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "confined-fs.h"
#include "game-layout.h"
#include "readfile.h"
#include "tmx-folder.h"

namespace {

// Whether rel below dir is a regular file the engine's readers would open
// (no link leading out of dir on the way).
bool isRegularFile(const std::string& dir, const std::string& rel, off_t* size = nullptr)
{
    int fd = openInside(dir, rel, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    struct stat st;
    bool ok = fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (fd >= 0)
        close(fd);
    if (ok && size)
        *size = st.st_size;
    return ok;
}

// No game holds this many records of one kind; a folder that does is read no further.
const int SERIES_MAX = 100000;

template <class Record>
void readSeries(const std::string& dir, const char* series, std::vector<Record>& into)
{
    for (int i = 0; i < SERIES_MAX; i++) {
        std::string path = recordPath(dir, series, i);
        if (!isRegularFile(dir, path.substr(dir.size() + 1)))
            return;
        Record r;
        if (r.serializeFrom(path.c_str(), dir.c_str()) != 0)
            return;
        into.push_back(r);
    }
}

} // namespace

std::string recordPath(const std::string& dir, const char* series, int i)
{
    return recordFile(dir, series, i);
}

// The engine ends the process on a map file it cannot read, so the tool only
// hands it one that it can.
bool readFolderRecords(const std::string& dir, FolderRecords& out)
{
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        fprintf(stderr, "quorvane-map: %s is not a game folder\n", dir.c_str());
        return false;
    }
    off_t size = 0;
    std::string mapPath = dir + "/map.dat";
    withoutProgressLines([&] {
        if (isRegularFile(dir, "map.dat", &size) && (size_t)size <= MAP_FILE_MAX) {
            out.map.reset(new Map());
            out.map->Init();
            out.map->loadMap(dir.c_str());
        }
        readSeries(dir, CHARACTER_FOLDER, out.actors);
        readSeries(dir, ITEM_FOLDER, out.items);
    });
    return true;
}

void PendingFiles::reportFailure(const std::string& path)
{
    fprintf(stderr, "quorvane-map: cannot write %s: %s\n", path.c_str(), strerror(errno ? errno : EIO));
}

bool PendingFiles::makePart(const std::string& part)
{
    int rootFd = openRootFolder(folderOfPath(part));
    int fd = rootFd < 0 ? -1 : createBelow(rootFd, lastNameOfPath(part), true, part);
    if (rootFd >= 0)
        close(rootFd);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool PendingFiles::stillPlain(const std::string& part)
{
    struct stat st;
    return lstat(part.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PendingFiles::commit()
{
    bool ok = true;
    for (auto& p : parts_) {
        if (rename(p.first.c_str(), p.second.c_str()) != 0) {
            fprintf(stderr, "quorvane-map: cannot put %s in place: %s\n", p.second.c_str(), strerror(errno));
            unlink(p.first.c_str());
            ok = false;
        }
    }
    parts_.clear();
    return ok;
}

void PendingFiles::discard()
{
    for (auto& p : parts_)
        unlink(p.first.c_str());
    parts_.clear();
}
