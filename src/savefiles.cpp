// savefiles.cpp -- the file-system operations a save is made of: the batch of files being written, its commit, flushing.
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
#include <sstream>
#include "confined-fs.h"
#include "game-layout.h"
#include "readfile.h"
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

// Makes one folder; one that is already there is fine, whatever mkdir said about it (some file
// systems answer EINVAL for "." rather than EEXIST), as long as it really is a folder.
static bool makeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0)
        return true;
    int e = errno;
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    reportSaveFailure(path, e == EEXIST ? ENOTDIR : e);
    return false;
}

bool makeFolders(const std::string& path)
{
    for (size_t i = 1; i < path.size(); i++) {
        if (path[i] != '/' || path[i - 1] == '/')
            continue;
        if (!makeFolder(path.substr(0, i)))
            return false;
    }
    return makeFolder(path);
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

bool removeFile(const std::string& path)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    reportSaveFailure(path, errno);
    return false;
}

namespace {

// Flushes every step-th file of a batch from first on, each opened again
// for that (so a save of any size holds one file open per thread), noting
// failures.
struct FlushShare
{
    const SaveBatch* batch = NULL;
    size_t first = 0, step = 1;
    std::vector<int>* errors = NULL;
    pthread_t thread;
};

void* flushShare(void* arg)
{
    FlushShare* share = (FlushShare*)arg;
    const SaveBatch& b = *share->batch;
    for (size_t i = share->first; i < b.paths.size(); i += share->step) {
        int fd = openat(b.folder(b.paths[i]), lastNameOfPath(b.written(i)).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 || fdatasync(fd) != 0)
            (*share->errors)[i] = errno ? errno : EIO;
        if (fd >= 0)
            close(fd);
    }
    return NULL;
}

} // namespace

std::string SaveBatch::written(size_t i) const
{
    return inPlace ? paths[i] + ".part" : paths[i];
}

int SaveBatch::folder(const std::string& rel) const
{
    size_t slash = rel.rfind('/');
    if (slash == std::string::npos)
        return rootFd;
    for (const auto& f : folders)
        if (f.first.size() == slash && rel.compare(0, slash, f.first) == 0)
            return f.second;
    return -1;
}

int SaveBatch::openFolder(const std::string& rel)
{
    int fd = folder(rel);
    size_t slash = rel.rfind('/');
    if (fd >= 0 || slash == std::string::npos)
        return fd;
    fd = openBelow(rootFd, rel.substr(0, slash), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
        folders.push_back({rel.substr(0, slash), fd});
    return fd;
}

void SaveBatch::close()
{
    for (const auto& f : folders)
        ::close(f.second);
    folders.clear();
    if (rootFd >= 0)
        ::close(rootFd);
    rootFd = -1;
    failed = false;
    paths.clear();
    removals.clear();
}

// The path below the batch's folder of a path the save names in full.
static std::string belowBatch(const SaveBatch& batch, const std::string& path)
{
    if (path.size() > batch.dir.size() + 1 && path.compare(0, batch.dir.size() + 1, batch.dir + "/") == 0)
        return path.substr(batch.dir.size() + 1);
    return "";
}

// Each file's flush waits on the disk for its data and its own record (size,
// blocks); on a file system without a journal nothing else would write those.
// Sixteen threads share the files, so the waits overlap: 157 flushes one
// after the other take several times as long.
static bool flushWrittenFiles(const SaveBatch& batch)
{
    std::vector<int> errors(batch.paths.size(), 0);
    const size_t threads = 16;
    FlushShare shares[threads];
    size_t started = 0;
    for (size_t k = 0; k < threads && k < batch.paths.size(); k++) {
        shares[k].batch = &batch;
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
            reportSaveFailure(batch.dir + "/" + batch.paths[i], errors[i]);
            ok = false;
        }
    }
    return ok;
}

void beginSaveBatch(SaveBatch& batch, const std::string& dir, bool inPlace)
{
    batch.close();
    batch.dir = dir;
    batch.inPlace = inPlace;
    batch.rootFd = openRootFolder(dir);
    if (batch.rootFd < 0) {
        reportSaveFailure(dir, errno);
        batch.failed = true;
    }
}

bool makeSaveFolder(SaveBatch& batch, const std::string& path)
{
    std::string rel = belowBatch(batch, path);
    return batch.rootFd >= 0 && makeFoldersBelow(batch.rootFd, rel, path);
}

bool writeFileSafely(SaveBatch& batch, const std::string& path, const FileWriter& write)
{
    std::string rel = belowBatch(batch, path);
    if (batch.rootFd < 0 || rel.empty()) {
        reportSaveFailure(path, EINVAL);
        return false;
    }
    std::ostringstream bytes;
    if (!write(bytes)) {
        reportSaveFailure(path, 0);
        return false;
    }
    int dfd = batch.openFolder(rel);
    std::string name = lastNameOfPath(rel), target = batch.inPlace ? name + ".part" : name;
    // A folder where the file belongs would stop the commit half-way: refused now.
    struct stat st;
    if (dfd >= 0 && batch.inPlace && fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(st.st_mode)) {
        reportSaveFailure(path, EISDIR);
        return false;
    }
    int fd = dfd < 0 ? -1 : createBelow(dfd, target, true, path);
    if (fd < 0 || !writeAll(fd, bytes.str())) {
        int e = errno;
        if (fd >= 0) {
            close(fd);
            unlinkat(dfd, target.c_str(), 0);
        }
        reportSaveFailure(path, e);
        return false;
    }
    // The disk starts on it now; the flush only waits.
    sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    batch.paths.push_back(rel);
    if (close(fd) != 0) {
        reportSaveFailure(path, errno);
        return false;
    }
    return true;
}

// Pushes the entries of the folder rel below rootFd ("" for rootFd's own) to the disk.
static bool flushBelow(int rootFd, const char* rel, const std::string& shown)
{
    int fd = *rel ? openBelow(rootFd, rel, O_RDONLY | O_DIRECTORY) : dup(rootFd);
    bool ok = fd >= 0 && fsync(fd) == 0;
    if (!ok && errno != ENOENT)
        reportSaveFailure(shown, errno);
    if (fd >= 0)
        close(fd);
    return ok || errno == ENOENT;
}

static bool flushGameFolders(int rootFd, const std::string& dir)
{
    bool ok = true;
    for (const char* sub : SERIES_FOLDERS)
        ok = flushBelow(rootFd, sub, dir + "/" + sub) && ok;
    ok = flushBelow(rootFd, "", dir + "/") && ok;
    return ok;
}

bool flushSaveBatch(SaveBatch& batch)
{
    bool ok = flushWrittenFiles(batch) && !batch.failed;
    return batch.rootFd >= 0 && flushGameFolders(batch.rootFd, batch.dir) && ok;
}

// The commit of a save written in place is a list in the game folder: one
// line per file, "npcdef/3.def" for "put npcdef/3.def.part in its place" and
// "-npcdef/7.def" for "remove it". Once the list is on the disk the save is
// done; whoever comes next (this save, the next load or save) carries it out.
// Every name is reached below the game folder without following a link.
static const char* COMMIT_LIST = ".commit";

static bool carryOutCommit(const std::string& dir, int rootFd)
{
    std::string list = dir + "/" + COMMIT_LIST, bytes;
    struct stat st;
    if (fstatat(rootFd, COMMIT_LIST, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISREG(st.st_mode) || !readFileBelow(dir, COMMIT_LIST, COMMIT_LIST_MAX, bytes)) {
        fprintf(stderr, "%s is no commit list of a save; it is removed\n", list.c_str());
        return unlinkat(rootFd, COMMIT_LIST, 0) == 0 || errno == ENOENT;
    }
    bool ok = true;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string rel = bytes.substr(at, end - at);
        at = end + 1;
        bool remove = !rel.empty() && rel[0] == '-';
        if (remove)
            rel.erase(0, 1);
        std::string name;
        int dfd = isPlainRelative(rel) ? openParentBelow(rootFd, rel, name) : -1;
        if (dfd < 0) {
            fprintf(stderr, "%s: line \"%s\" is not a file of the game; skipped\n", list.c_str(), rel.c_str());
            continue;
        }
        std::string part = name + ".part";
        if (remove) {
            if (unlinkat(dfd, name.c_str(), 0) != 0 && errno != ENOENT) {
                reportSaveFailure(dir + "/" + rel, errno);
                ok = false;
            }
        } else if (fstatat(dfd, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode)) {
            fprintf(stderr, "%s.part is not a file the save wrote; skipped\n", (dir + "/" + rel).c_str());
        } else if (renameat(dfd, part.c_str(), dfd, name.c_str()) != 0 && errno != ENOENT) {
            reportSaveFailure(dir + "/" + rel, errno);
            ok = false;
        }
        close(dfd);
    }
    ok = ok && flushGameFolders(rootFd, dir);
    // The list must be gone from the disk before a later save stages new ".part" files.
    if (ok && unlinkat(rootFd, COMMIT_LIST, 0) != 0 && errno != ENOENT) {
        reportSaveFailure(list, errno);
        ok = false;
    }
    return ok && flushBelow(rootFd, "", dir);
}

static bool writeCommitList(const SaveBatch& batch)
{
    std::string list = batch.dir + "/" + COMMIT_LIST;
    std::string text, part = std::string(COMMIT_LIST) + ".part";
    for (const std::string& p : batch.paths)
        text += p + "\n";
    for (const std::string& p : batch.removals)
        text += "-" + p + "\n";
    int fd = createBelow(batch.rootFd, part, true, list + ".part");
    bool ok = fd >= 0 && writeAll(fd, text) && fdatasync(fd) == 0;
    int e = errno;
    if (fd >= 0 && close(fd) != 0 && ok) {
        ok = false;
        e = errno;
    }
    if (ok && renameat(batch.rootFd, part.c_str(), batch.rootFd, COMMIT_LIST) != 0) {
        ok = false;
        e = errno;
    }
    if (!ok) {
        if (fd >= 0)
            unlinkat(batch.rootFd, part.c_str(), 0);
        reportSaveFailure(list, e);
        return false;
    }
    return flushBelow(batch.rootFd, "", batch.dir);
}

bool endSaveBatch(SaveBatch& batch, bool ok)
{
    ok = ok && !batch.failed && batch.rootFd >= 0;
    if (batch.inPlace && batch.rootFd >= 0) {
        ok = ok && writeCommitList(batch);
        if (!ok) {
            for (const std::string& p : batch.paths)
                unlinkat(batch.rootFd, (p + ".part").c_str(), 0);
        } else if (!carryOutCommit(batch.dir, batch.rootFd)) {
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
    int rootFd = openRootFolder(dir);
    if (rootFd < 0)
        return true;
    bool ok = carryOutCommit(dir, rootFd);
    close(rootFd);
    return ok;
}

bool listFolder(const std::string& path, std::vector<std::string>& names)
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

bool removeStaleRecords(SaveBatch& batch, const std::string& folder, int first)
{
    std::string rel = belowBatch(batch, folder);
    int dfd = rel.empty() ? -1 : openBelow(batch.rootFd, rel, O_RDONLY | O_DIRECTORY);
    DIR* d = dfd < 0 ? NULL : fdopendir(dfd);
    if (!d) {
        reportSaveFailure(folder, errno);
        if (dfd >= 0)
            close(dfd);
        return false;
    }
    std::vector<std::string> names;
    while (struct dirent* e = readdir(d))
        names.push_back(e->d_name);
    std::vector<std::string> stale = {recordFileName(first)};
    bool ok = true;
    for (const std::string& name : names) {
        long n = 0;
        bool isPart = name.size() > 5 && name.compare(name.size() - 5, 5, ".part") == 0;
        if (!isRecordFileName(name, true, &n))
            continue;
        if (isPart && unlinkat(dfd, name.c_str(), 0) != 0 && errno != ENOENT) {   // a save cut off before its commit
            reportSaveFailure(folder + "/" + name, errno);
            ok = false;
        } else if (!isPart && n > first) {
            stale.push_back(name);
        }
    }
    for (const std::string& name : stale) {
        if (batch.inPlace) {
            batch.removals.push_back(rel + "/" + name);
        } else if (unlinkat(dfd, name.c_str(), 0) != 0 && errno != ENOENT) {
            reportSaveFailure(folder + "/" + name, errno);
            ok = false;
        }
    }
    closedir(d);
    return ok;
}
