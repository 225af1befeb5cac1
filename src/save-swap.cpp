// save-swap.cpp -- a save staged in a folder of its own and swapped into place: the save's site, the spare folder, emptying the old game.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include "confined-fs.h"
#include "game-layout.h"
#include "savefiles.h"

// Never descends into another file system mounted below path.
static bool removeTreeOn(const std::string& path, dev_t dev)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    if (st.st_dev != dev) {
        fprintf(stderr, "%s is another file system; the save leaves it alone\n", path.c_str());
        return false;
    }
    if (!S_ISDIR(st.st_mode))
        return removeFile(path);
    std::vector<std::string> names;
    bool ok = listFolder(path, names);
    for (const std::string& name : names)
        ok = removeTreeOn(path + "/" + name, dev) && ok;
    if (rmdir(path.c_str()) != 0 && errno != ENOENT) {
        reportSaveFailure(path, errno);
        return false;
    }
    return ok;
}

bool removeTree(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    return removeTreeOn(path, st.st_dev);
}

// Keeps of a folder only the game's own files, cut to nothing where asked: a
// file with other names (a hard link a player made) loses only this name.
static void keepOnlyGameFiles(const std::string& folder, bool series, bool empty, dev_t dev)
{
    std::vector<std::string> names;
    listFolder(folder, names);
    for (const std::string& name : names) {
        std::string path = folder + "/" + name;
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || st.st_dev != dev)
            continue;
        if (!series && isSeriesFolder(name) && S_ISDIR(st.st_mode)) {
            keepOnlyGameFiles(path, true, empty, dev);
            continue;
        }
        bool game = series ? isRecordFileName(name, false, NULL) : isGameFileName(name);
        if (!game || !S_ISREG(st.st_mode) || st.st_nlink != 1)
            removeTree(path);
        else if (empty && st.st_size > 0)
            truncate(path.c_str(), 0);
    }
}

namespace {

// The earlier game being emptied on a thread of its own, in a folder named
// for this process so that nothing else touches it meanwhile, and the spare
// folders this process made, which it removes when it ends. A process forked
// meanwhile has neither the thread nor the folders: the pid tells.
struct Spares
{
    pthread_t thread;
    pid_t threadOwner = 0;
    pid_t owner = 0;
    std::string emptying, spare;
    std::vector<std::pair<std::string, std::string>> made;   // lock folder, spare folder

    void finish()
    {
        if (threadOwner == getpid())
            pthread_join(thread, NULL);
        threadOwner = 0;
    }
    void removeAll()
    {
        finish();
        if (owner != getpid())
            return;
        for (const auto& m : made) {
            SaveLock lock(m.first);
            removeTree(m.second);
        }
        made.clear();
    }
    ~Spares() { removeAll(); }
};

Spares spares;

// Folders "<prefix><pid>" of processes that ended before emptying theirs.
void removeOrphans(const std::string& prefix)
{
    size_t slash = prefix.rfind('/');
    std::string parent = prefix.substr(0, slash), start = prefix.substr(slash + 1);
    std::vector<std::string> names;
    listFolder(parent, names);
    for (const std::string& name : names) {
        if (name.compare(0, start.size(), start) != 0)
            continue;
        long pid = strtol(name.c_str() + start.size(), NULL, 10);
        if (pid > 0 && kill((pid_t)pid, 0) != 0 && errno == ESRCH)
            removeTree(parent + "/" + name);
    }
}

void* emptyOnThread(void*)
{
    struct stat st;
    if (lstat(spares.emptying.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        keepOnlyGameFiles(spares.emptying, false, true, st.st_dev);
    if (rename(spares.emptying.c_str(), spares.spare.c_str()) != 0)
        removeTree(spares.emptying);   // another copy of the game left a spare first
    std::string prefix = spares.emptying;
    while (!prefix.empty() && prefix.back() >= '0' && prefix.back() <= '9')
        prefix.pop_back();
    removeOrphans(prefix);
    return NULL;
}

} // namespace

// The folder beside dir named ".<name><what>"; empty when dir has no plain
// last name, or it is the working folder or holds it.
static std::string sideFolder(const SaveSite& site, const char* what)
{
    std::string name = lastNameOfPath(site.dir);
    if (name.empty() || name == "." || name == "..")
        return "";
    if (site.exists) {
        std::string real = realPathOf(site.dir), cwd = realPathOf(".");
        if (real.empty() || real == "/" || cwd.empty() || cwd == real || cwd.compare(0, real.size() + 1, real + "/") == 0)
            return "";
    }
    return (site.parent == "/" ? "" : site.parent) + "/." + name + what;
}

bool findSaveSite(SaveSite& site, const char* dirName)
{
    site.dir = dirName;
    while (site.dir.size() > 1 && site.dir.back() == '/')
        site.dir.pop_back();
    if (site.dir.empty())
        site.dir = ".";
    site.parent = folderOfPath(site.dir);
    struct stat st;
    return lstat(site.dir.c_str(), &st) == 0 || makeFolders(site.parent);
}

bool inspectSaveFolder(SaveSite& site)
{
    struct stat lst, st;
    site.exists = lstat(site.dir.c_str(), &lst) == 0;
    if (site.exists && (stat(site.dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        reportSaveFailure(site.dir, ENOTDIR);
        return false;
    }
    for (int i = -1; i < 3; i++) {
        std::string p = i < 0 ? site.dir : site.dir + "/" + SERIES_FOLDERS[i];
        if (site.exists && stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(p.c_str(), W_OK) != 0) {
            reportSaveFailure(p, errno);
            return false;
        }
    }
    bool linked = site.exists && S_ISLNK(lst.st_mode);
    site.staging = linked ? "" : sideFolder(site, ".swap");
    site.spare = linked ? "" : sideFolder(site, ".spare");
    return true;
}

static bool copyModeAndOwner(const std::string& from, const std::string& to)
{
    struct stat st;
    if (stat(from.c_str(), &st) != 0 || chmod(to.c_str(), st.st_mode & 07777) != 0)
        return false;
    if (st.st_uid == geteuid() && st.st_gid == getegid())
        return true;
    return chown(to.c_str(), st.st_uid, st.st_gid) == 0;
}

// Hard links the entry at from (a folder: its tree) to to. False when that
// cannot be done exactly: another file system, a folder that cannot be read.
static bool linkTree(const std::string& from, const std::string& to, dev_t dev)
{
    struct stat st;
    if (lstat(from.c_str(), &st) != 0 || st.st_dev != dev)
        return false;
    if (!S_ISDIR(st.st_mode))
        return linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0;
    std::vector<std::string> names;
    if (mkdir(to.c_str(), 0700) != 0 || !copyModeAndOwner(from, to) || !listFolder(from, names))
        return false;
    for (const std::string& name : names)
        if (!linkTree(from + "/" + name, to + "/" + name, dev))
            return false;
    return true;
}

// Links into to everything of the game folder from that a save does not write.
static bool carryOverExtras(const std::string& from, const std::string& to)
{
    struct stat root;
    std::vector<std::string> names;
    if (stat(from.c_str(), &root) != 0 || !listFolder(from, names))
        return false;
    for (const std::string& name : names) {
        if (isGameFileName(name) || name == std::string(VARS_FILE) + ".part" || name == std::string(MAP_FILE) + ".part")
            continue;
        std::string src = from + "/" + name, dst = to + "/" + name;
        struct stat st;
        bool folder = lstat(src.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        if (isSeriesFolder(name) && !folder)
            continue;   // a damaged save: the series is written whole again
        if (!isSeriesFolder(name)) {
            if (!linkTree(src, dst, root.st_dev))
                return false;
            continue;
        }
        std::vector<std::string> files;
        if (st.st_dev != root.st_dev || (mkdir(dst.c_str(), 0700) != 0 && errno != EEXIST) ||
            !copyModeAndOwner(src, dst) || !listFolder(src, files))
            return false;
        for (const std::string& f : files)
            if (!isRecordFileName(f, true, NULL) && !linkTree(src + "/" + f, dst + "/" + f, root.st_dev))
                return false;
    }
    return true;
}

// Swaps the two folders' names in one step; errno ENOSYS or EINVAL when the
// system or file system cannot.
static bool exchangeFolders(const std::string& a, const std::string& b)
{
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    errno = ENOSYS;
    return false;
#endif
}

// Whether the staging folder can later trade places with dir, asked before
// anything is written: two empty folders inside it exchange names (the same
// file system as dir's parent), and dir must not be a mount of its own.
static bool canExchange(const std::string& dir, const std::string& staging)
{
    struct stat a, b;
    if (stat(dir.c_str(), &a) != 0 || stat(staging.c_str(), &b) != 0 || a.st_dev != b.st_dev)
        return false;
    std::string one = staging + "/.probe1", two = staging + "/.probe2";
    if (mkdir(one.c_str(), 0700) != 0 || mkdir(two.c_str(), 0700) != 0)
        return false;
    bool ok = exchangeFolders(one, two);
    rmdir(one.c_str());
    rmdir(two.c_str());
    return ok;
}

// Makes the spare folder the staging folder, keeping only the game's own
// files in it. False when there is no spare.
static bool takeSpareFolder(const std::string& spare, const std::string& staging)
{
    struct stat st;
    if (lstat(spare.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        fprintf(stderr, "%s is not a folder this game made; it is removed\n", spare.c_str());
        unlink(spare.c_str());
        return false;
    }
    if (rename(spare.c_str(), staging.c_str()) != 0 || lstat(staging.c_str(), &st) != 0)
        return false;
    keepOnlyGameFiles(staging, false, false, st.st_dev);
    return true;
}

bool prepareStaging(const SaveSite& site)
{
    removeTree(site.staging);
    if (!takeSpareFolder(site.spare, site.staging) && mkdir(site.staging.c_str(), 0755) != 0)
        return false;   // e.g. the parent folder is read-only
    if (site.exists && (!copyModeAndOwner(site.dir, site.staging) || !canExchange(site.dir, site.staging) ||
                        !carryOverExtras(site.dir, site.staging))) {
        removeTree(site.staging);
        return false;
    }
    return true;
}

int swapIntoPlace(const SaveSite& site)
{
    bool swapped = site.exists ? exchangeFolders(site.staging, site.dir)
                               : rename(site.staging.c_str(), site.dir.c_str()) == 0;
    if (!swapped) {
        int e = errno;
        removeTree(site.staging);
        return e;
    }
    return flushFolder(site.parent) ? 0 : -1;
}

void retireOldGame(const SaveSite& site)
{
    std::string used = sideFolder(site, ".used.") + std::to_string((long)getpid());
    if (rename(site.staging.c_str(), used.c_str()) != 0) {
        removeTree(site.staging);
        return;
    }
    spares.finish();
    if (spares.owner != getpid()) {
        spares.owner = getpid();
        spares.made.clear();
    }
    bool known = false;
    for (const auto& m : spares.made)
        known = known || m.second == site.spare;
    if (!known)
        spares.made.push_back({site.parent, site.spare});
    spares.emptying = used;
    spares.spare = site.spare;
    if (pthread_create(&spares.thread, NULL, emptyOnThread, NULL) == 0)
        spares.threadOwner = getpid();
    else
        emptyOnThread(NULL);
}

void finishSpareFolders()
{
    spares.finish();
}

void removeSpareFolders()
{
    spares.removeAll();
}

bool flushFolder(const std::string& path)
{
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool ok = fd >= 0 && fsync(fd) == 0;
    if (!ok)
        reportSaveFailure(path, errno);
    if (fd >= 0)
        close(fd);
    return ok;
}
