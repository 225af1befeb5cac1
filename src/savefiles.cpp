// savefiles.cpp -- file-system steps of a save: the batch of files being written, its commit, flushing, the folder swap.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include "savefiles.h"

static std::string lastFailure = "write failed";

std::string lastSaveFailure()
{
    std::string why = lastFailure;
    lastFailure = "write failed";
    return why;
}

void reportSaveFailure(const std::string& path, int err)
{
    lastFailure = err ? strerror(err) : "write failed";
    fprintf(stderr, "Could not save %s: %s\n", path.c_str(), err ? strerror(err) : "write failed");
}

bool makeFolders(const std::string& path)
{
    for (size_t i = 1; i < path.size(); i++) {
        if (path[i] != '/' || path[i - 1] == '/')
            continue;
        std::string part = path.substr(0, i);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            reportSaveFailure(part, errno);
            return false;
        }
    }
    if (mkdir(path.c_str(), 0755) == 0)
        return true;
    int e = errno;
    struct stat st;
    if (e == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    reportSaveFailure(path, e == EEXIST ? ENOTDIR : e);
    return false;
}

SaveLock::SaveLock(const std::string& folder)
{
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

SaveLock::~SaveLock()
{
    if (fd_ >= 0)
        close(fd_);
}

static bool removeFile(const std::string& path)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    reportSaveFailure(path, errno);
    return false;
}

namespace {

// The files of the save being written, kept open until they are flushed.
struct SaveBatch
{
    std::string dir;
    bool inPlace = false;
    std::vector<int> fds;
    std::vector<std::string> paths;      // the names they end up under
    std::vector<std::string> removals;   // stale records, removed by the commit

    void close()
    {
        for (int fd : fds)
            ::close(fd);
        fds.clear();
        paths.clear();
        removals.clear();
    }
};

SaveBatch batch;

} // namespace

void beginSaveBatch(const std::string& dir, bool inPlace)
{
    batch.close();
    batch.dir = dir;
    batch.inPlace = inPlace;
}

bool writeFileSafely(const std::string& path, const FileWriter& write)
{
    std::string target = batch.inPlace ? path + ".part" : path;
    errno = 0;
    bool ok = write(target.c_str());
    int e = errno;
    int fd = ok ? open(target.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (ok && fd < 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        unlink(target.c_str());
        reportSaveFailure(path, e);
        return false;
    }
    // The disk starts on it now; flushSaveBatch only waits.
    sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    batch.fds.push_back(fd);
    batch.paths.push_back(path);
    return true;
}

namespace {

// Flushes every step-th file of the batch from first on, noting failures.
struct FlushShare
{
    size_t first = 0, step = 1;
    std::vector<int>* errors = NULL;
    pthread_t thread;
};

void* flushShare(void* arg)
{
    FlushShare* share = (FlushShare*)arg;
    for (size_t i = share->first; i < batch.fds.size(); i += share->step)
        if (fdatasync(batch.fds[i]) != 0)
            (*share->errors)[i] = errno;
    return NULL;
}

} // namespace

// Each file's flush waits on the disk for its data and its own record (size,
// blocks); on a file system without a journal nothing else would write those.
// Sixteen threads share the files, so the waits overlap: 157 flushes one
// after the other take several times as long.
static bool flushBatchFiles()
{
    std::vector<int> errors(batch.fds.size(), 0);
    const size_t threads = 16;
    FlushShare shares[threads];
    size_t started = 0;
    for (size_t k = 0; k < threads; k++) {
        shares[k].first = k;
        shares[k].step = threads;
        shares[k].errors = &errors;
        if (k > 0 && pthread_create(&shares[k].thread, NULL, flushShare, &shares[k]) == 0)
            started |= (size_t)1 << k;
        else
            flushShare(&shares[k]);
    }
    for (size_t k = 1; k < threads; k++)
        if (started & ((size_t)1 << k))
            pthread_join(shares[k].thread, NULL);
    bool ok = true;
    for (size_t i = 0; i < errors.size(); i++) {
        if (errors[i]) {
            reportSaveFailure(batch.paths[i], errors[i]);
            ok = false;
        }
    }
    return ok;
}

static bool flushGameFolders(const std::string& dir)
{
    bool ok = true;
    for (const char* sub : {"/npcdef", "/idef", "/qdef", ""})
        ok = flushFolder(dir + sub) && ok;
    return ok;
}

bool flushSaveBatch()
{
    bool ok = flushBatchFiles();
    return flushGameFolders(batch.dir) && ok;
}

// The commit of a save written in place is a list in the game folder: one
// line per file, "npcdef/3.def" for "put npcdef/3.def.part in its place" and
// "-npcdef/7.def" for "remove it". Once the list is on the disk the save is
// done; whoever comes next (this save, the next load or save) carries it out.
static std::string commitListOf(const std::string& dir)
{
    return dir + "/.commit";
}

static bool safeRelativePath(const std::string& rel)
{
    return !rel.empty() && rel[0] != '/' && rel.find("..") == std::string::npos;
}

static bool carryOutCommit(const std::string& dir)
{
    std::string list = commitListOf(dir);
    FILE* f = fopen(list.c_str(), "r");
    if (!f)
        return errno == ENOENT;
    bool ok = true;
    char line[4096];
    while (fgets(line, sizeof line, f)) {
        std::string rel = line;
        if (!rel.empty() && rel.back() == '\n')
            rel.pop_back();
        bool remove = !rel.empty() && rel[0] == '-';
        if (remove)
            rel.erase(0, 1);
        if (!safeRelativePath(rel)) {
            fprintf(stderr, "%s: line \"%s\" is not a file of the game; skipped\n", list.c_str(), rel.c_str());
            continue;
        }
        std::string path = dir + "/" + rel;
        if (remove)
            ok = removeFile(path) && ok;
        else if (rename((path + ".part").c_str(), path.c_str()) != 0 && errno != ENOENT) {
            reportSaveFailure(path, errno);
            ok = false;
        }
    }
    fclose(f);
    ok = ok && flushGameFolders(dir);
    // The list must be gone from the disk before a later save stages new ".part" files.
    return ok && removeFile(list) && flushFolder(dir);
}

static bool writeCommitList(const std::string& dir)
{
    std::string list = commitListOf(dir);
    std::string part = list + ".part";
    size_t skip = dir.size() + 1;
    FILE* f = fopen(part.c_str(), "w");
    bool ok = f != NULL;
    for (size_t i = 0; ok && i < batch.paths.size(); i++)
        ok = fprintf(f, "%s\n", batch.paths[i].c_str() + skip) > 0;
    for (size_t i = 0; ok && i < batch.removals.size(); i++)
        ok = fprintf(f, "-%s\n", batch.removals[i].c_str() + skip) > 0;
    ok = f && fflush(f) == 0 && fdatasync(fileno(f)) == 0 && ok;
    int e = errno;
    if (f && fclose(f) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && rename(part.c_str(), list.c_str()) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        unlink(part.c_str());
        reportSaveFailure(list, e);
        return false;
    }
    return flushFolder(dir);
}

bool endSaveBatch(bool ok)
{
    if (batch.inPlace) {
        ok = ok && writeCommitList(batch.dir);
        if (!ok) {
            for (const std::string& path : batch.paths)
                unlink((path + ".part").c_str());
        } else if (!carryOutCommit(batch.dir)) {
            fprintf(stderr, "The save into %s is finished when the game is next loaded or saved\n",
                    batch.dir.c_str());
            ok = false;
        }
    }
    batch.close();
    return ok;
}

bool finishInterruptedSave(const std::string& dir)
{
    if (access(commitListOf(dir).c_str(), F_OK) != 0)
        return true;
    return carryOutCommit(dir);
}

bool isRecordFileName(const std::string& name, bool part, long* number)
{
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9')
        digits++;
    if (digits == 0 || (digits > 1 && name[0] == '0'))
        return false;
    std::string rest = name.substr(digits);
    if (rest != ".def" && !(part && rest == ".def.part"))
        return false;
    if (number) {
        // Anything with more than nine digits is beyond every series.
        *number = digits > 9 ? 2000000000L : strtol(name.c_str(), NULL, 10);
    }
    return true;
}

static bool listFolder(const std::string& path, std::vector<std::string>& names)
{
    DIR* d = opendir(path.c_str());
    if (!d)
        return false;
    while (struct dirent* e = readdir(d)) {
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0)
            names.push_back(e->d_name);
    }
    closedir(d);
    return true;
}

bool removeStaleRecords(const std::string& folder, int first)
{
    std::vector<std::string> names;
    if (!listFolder(folder, names)) {
        reportSaveFailure(folder, errno);
        return false;
    }
    std::vector<std::string> stale = {folder + "/" + std::to_string(first) + ".def"};
    bool ok = true;
    for (const std::string& name : names) {
        long n = 0;
        bool isPart = name.size() > 5 && name.compare(name.size() - 5, 5, ".part") == 0;
        if (!isRecordFileName(name, true, &n))
            continue;
        if (isPart)
            ok = removeFile(folder + "/" + name) && ok;   // a save cut off before its commit
        else if (n > first)
            stale.push_back(folder + "/" + name);
    }
    for (const std::string& path : stale) {
        if (batch.inPlace)
            batch.removals.push_back(path);
        else
            ok = removeFile(path) && ok;
    }
    return ok;
}

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

static bool isGameFileName(const std::string& name)
{
    return name == "vars.sav" || name == "map.dat";
}

static bool isSeriesFolder(const std::string& name)
{
    return name == "npcdef" || name == "idef" || name == "qdef";
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

std::string usedFolderName(const std::string& prefix)
{
    return prefix + std::to_string((long)getpid());
}

void emptySpareLater(const std::string& lockFolder, const std::string& used, const std::string& spare)
{
    spares.finish();
    if (spares.owner != getpid()) {
        spares.owner = getpid();
        spares.made.clear();
    }
    bool known = false;
    for (const auto& m : spares.made)
        known = known || m.second == spare;
    if (!known)
        spares.made.push_back({lockFolder, spare});
    spares.emptying = used;
    spares.spare = spare;
    if (pthread_create(&spares.thread, NULL, emptyOnThread, NULL) == 0)
        spares.threadOwner = getpid();
    else
        emptyOnThread(NULL);
}

bool takeSpareFolder(const std::string& spare, const std::string& staging)
{
    struct stat st;
    if (rename(spare.c_str(), staging.c_str()) != 0 || lstat(staging.c_str(), &st) != 0)
        return false;
    keepOnlyGameFiles(staging, false, false, st.st_dev);
    return true;
}

void finishSpareFolders()
{
    spares.finish();
}

void removeSpareFolders()
{
    spares.removeAll();
}

bool copyModeAndOwner(const std::string& from, const std::string& to)
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

bool carryOverExtras(const std::string& from, const std::string& to)
{
    struct stat root;
    std::vector<std::string> names;
    if (stat(from.c_str(), &root) != 0 || !listFolder(from, names))
        return false;
    for (const std::string& name : names) {
        if (isGameFileName(name) || name == "vars.sav.part" || name == "map.dat.part")
            continue;
        std::string src = from + "/" + name, dst = to + "/" + name;
        struct stat st;
        if (!isSeriesFolder(name) || lstat(src.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            if (!linkTree(src, dst, root.st_dev))
                return false;
            continue;
        }
        std::vector<std::string> files;
        if (st.st_dev != root.st_dev || (mkdir(dst.c_str(), 0700) != 0 && errno != EEXIST) ||
            !copyModeAndOwner(src, dst) ||
            !listFolder(src, files))
            return false;
        for (const std::string& f : files)
            if (!isRecordFileName(f, true, NULL) && !linkTree(src + "/" + f, dst + "/" + f, root.st_dev))
                return false;
    }
    return true;
}

bool exchangeFolders(const std::string& a, const std::string& b)
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
