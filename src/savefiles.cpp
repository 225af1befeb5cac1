// savefiles.cpp -- file-system steps of a save: the batch of files being written, flushing, stale records, the folder swap.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include "savefiles.h"

void reportSaveFailure(const std::string& path, int err)
{
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

namespace {

// The files of the save being written, kept open until they are flushed.
struct SaveBatch
{
    bool inPlace = false;
    std::vector<int> fds;
    std::vector<std::string> paths;   // the names they end up under

    void close()
    {
        for (int fd : fds)
            ::close(fd);
        fds.clear();
        paths.clear();
    }
};

SaveBatch batch;

} // namespace

void beginSaveBatch(bool inPlace)
{
    batch.close();
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

// File systems whose journal commits in order: once every file's data has
// reached the disk, flushing the last file commits the metadata of all of
// them, so one flush stands for 157 (each of which would wait on the disk).
static bool commitsInOrder(int fd)
{
    struct statfs s;
    return fstatfs(fd, &s) == 0 && (s.f_type == 0xEF53 /* ext2/3/4 */ || s.f_type == 0x58465342 /* xfs */);
}

bool flushSaveBatch(const std::string* folders, int count)
{
    bool inOrder = !batch.fds.empty() && commitsInOrder(batch.fds[0]);
    bool ok = true;
    for (size_t i = 0; i < batch.fds.size(); i++) {
        int fd = batch.fds[i];
        bool last = i + 1 == batch.fds.size();
        int r = inOrder ? sync_file_range(fd, 0, 0,
                                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER)
                        : fdatasync(fd);
        if (r == 0 && inOrder && last)
            r = fdatasync(fd);
        if (r != 0) {
            reportSaveFailure(batch.paths[i], errno);
            ok = false;
        }
    }
    for (int i = 0; i < count; i++)
        ok = flushFolder(folders[i]) && ok;
    return ok;
}

bool endSaveBatch()
{
    bool ok = true;
    if (batch.inPlace) {
        for (const std::string& path : batch.paths) {
            if (rename((path + ".part").c_str(), path.c_str()) != 0) {
                reportSaveFailure(path, errno);
                ok = false;
            }
        }
    }
    batch.close();
    return ok;
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

static bool removeFile(const std::string& path)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    reportSaveFailure(path, errno);
    return false;
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
    bool ok = removeFile(folder + "/" + std::to_string(first) + ".def");
    std::vector<std::string> names;
    if (!listFolder(folder, names)) {
        reportSaveFailure(folder, errno);
        return false;
    }
    for (const std::string& name : names) {
        long n = 0;
        bool isPart = name.size() > 5 && name.compare(name.size() - 5, 5, ".part") == 0;
        if (isRecordFileName(name, true, &n) && (isPart || n >= first))
            ok = removeFile(folder + "/" + name) && ok;
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

namespace {

// One removal at a time on a thread of its own. A process forked while it
// runs has no such thread: the pid tells.
struct LaterRemoval
{
    pthread_t thread;
    pid_t owner = 0;
    std::string path;

    void finish()
    {
        if (owner == getpid())
            pthread_join(thread, NULL);
        owner = 0;
    }
    ~LaterRemoval() { finish(); }
};

LaterRemoval later;

void* removeOnThread(void* path)
{
    removeTree(*(std::string*)path);
    return NULL;
}

} // namespace

void removeTreeLater(const std::string& path)
{
    later.finish();
    later.path = path;
    if (pthread_create(&later.thread, NULL, removeOnThread, &later.path) == 0)
        later.owner = getpid();
    else
        removeTree(path);
}

void finishRemovals()
{
    later.finish();
}

static bool copyFile(const std::string& from, const std::string& to, mode_t mode)
{
    int in = open(from.c_str(), O_RDONLY);
    if (in < 0)
        return false;
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode & 07777);
    if (out < 0) {
        close(in);
        return false;
    }
    char buf[65536];
    bool ok = true;
    for (;;) {
        ssize_t n = read(in, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            ssize_t w = write(out, buf + done, n - done);
            if (w < 0 && errno != EINTR)
                ok = false;
            else if (w > 0)
                done += w;
        }
        if (!ok)
            break;
    }
    close(in);
    return close(out) == 0 && ok;
}

// Hard links the file (or the folder tree) at from to to; copies where the
// file system has no hard links.
static bool linkTree(const std::string& from, const std::string& to)
{
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) {
        reportSaveFailure(from, errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        if (mkdir(to.c_str(), st.st_mode & 07777) != 0) {
            reportSaveFailure(to, errno);
            return false;
        }
        std::vector<std::string> names;
        bool ok = listFolder(from, names);
        for (const std::string& name : names)
            ok = linkTree(from + "/" + name, to + "/" + name) && ok;
        return ok;
    }
    if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0)
        return true;
    int e = errno;
    bool ok = false;
    if (S_ISREG(st.st_mode)) {
        ok = copyFile(from, to, st.st_mode);
    } else if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(st.st_size + 1 > 4096 ? st.st_size + 1 : 4096);
        ssize_t n = readlink(from.c_str(), target.data(), target.size() - 1);
        if (n >= 0) {
            target[n] = '\0';
            ok = symlink(target.data(), to.c_str()) == 0;
        }
    } else {
        fprintf(stderr, "%s is neither a file nor a folder; the save leaves it out\n", from.c_str());
        return true;
    }
    if (!ok)
        reportSaveFailure(to, errno ? errno : e);
    return ok;
}

static bool isSeriesFolder(const std::string& name)
{
    return name == "npcdef" || name == "idef" || name == "qdef";
}

bool carryOverExtras(const std::string& from, const std::string& to)
{
    std::vector<std::string> names;
    if (!listFolder(from, names)) {
        reportSaveFailure(from, errno);
        return false;
    }
    bool ok = true;
    for (const std::string& name : names) {
        if (name == "vars.sav" || name == "map.dat" || name == "vars.sav.part" || name == "map.dat.part")
            continue;
        std::string src = from + "/" + name;
        struct stat st;
        if (isSeriesFolder(name) && lstat(src.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                continue;   // the save puts a real series folder in its place
            if (mkdir((to + "/" + name).c_str(), st.st_mode & 07777) != 0) {
                reportSaveFailure(to + "/" + name, errno);
                return false;
            }
            std::vector<std::string> files;
            ok = listFolder(src, files) && ok;
            for (const std::string& f : files) {
                if (!isRecordFileName(f, true, NULL))
                    ok = linkTree(src + "/" + f, to + "/" + name + "/" + f) && ok;
            }
            continue;
        }
        ok = linkTree(src, to + "/" + name) && ok;
    }
    return ok;
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
