// confined-fs.cpp -- opening, making, renaming and removing files below one folder without a link leading out of it.
#include "confined-fs.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>
#if defined(__linux__)
#include <linux/openat2.h>
#endif

static std::vector<std::string> partsOf(const std::string& rel)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= rel.size()) {
        size_t slash = rel.find('/', at);
        if (slash == std::string::npos)
            slash = rel.size();
        parts.push_back(rel.substr(at, slash - at));
        at = slash + 1;
    }
    return parts;
}

bool isPlainRelative(const std::string& rel)
{
    if (rel.empty() || rel[0] == '/' || rel.find('\0') != std::string::npos)
        return false;
    for (const std::string& p : partsOf(rel))
        if (p.empty() || p == "." || p == "..")
            return false;
    return true;
}

std::string folderOfPath(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string lastNameOfPath(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int openRootFolder(const std::string& root)
{
    return open(root.empty() ? "." : root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Opens every folder of rel but the last name, without following links.
static int openFoldersOf(int rootFd, const std::vector<std::string>& parts)
{
    int fd = dup(rootFd);
    for (size_t i = 0; fd >= 0 && i + 1 < parts.size(); i++) {
        int next = openat(fd, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        int e = errno;
        close(fd);
        fd = next;
        errno = e;
    }
    return fd;
}

int openParentBelow(int rootFd, const std::string& rel, std::string& name)
{
    if (!isPlainRelative(rel)) {
        errno = EINVAL;
        return -1;
    }
    std::vector<std::string> parts = partsOf(rel);
    name = parts.back();
    return openFoldersOf(rootFd, parts);
}

// Where the kernel has openat2, it walks rel in one call and refuses any link
// on the way; -1 with errno ENOSYS where it cannot be used.
static int openBeneath(int rootFd, const std::string& rel, int flags, mode_t mode)
{
#if defined(__linux__) && defined(SYS_openat2)
    static bool missing = false;
    if (!missing) {
        struct open_how how;
        memset(&how, 0, sizeof how);
        how.flags = (unsigned long long)(flags | O_NOFOLLOW | O_CLOEXEC);
        how.mode = (flags & O_CREAT) ? mode : 0;
        how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        int fd = (int)syscall(SYS_openat2, rootFd, rel.c_str(), &how, sizeof how);
        if (fd >= 0 || (errno != ENOSYS && errno != EPERM && errno != E2BIG))
            return fd;
        missing = true;
    }
#else
    (void)rootFd;
    (void)rel;
    (void)flags;
    (void)mode;
#endif
    errno = ENOSYS;
    return -1;
}

int openBelow(int rootFd, const std::string& rel, int flags, mode_t mode)
{
    if (!isPlainRelative(rel)) {
        errno = EINVAL;
        return -1;
    }
    int fd = openBeneath(rootFd, rel, flags, mode);
    if (fd >= 0 || errno != ENOSYS)
        return fd;
    std::string name;
    int dfd = openParentBelow(rootFd, rel, name);
    if (dfd < 0)
        return -1;
    fd = openat(dfd, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
    int e = errno;
    close(dfd);
    errno = e;
    return fd;
}

std::string realPathOf(const std::string& path)
{
    char* r = realpath(path.c_str(), NULL);
    if (!r)
        return "";
    std::string s = r;
    free(r);
    return s;
}

// True when the failure could be a link on the way (O_NOFOLLOW gives ELOOP
// for the last name; a link to a folder met as a folder gives ENOTDIR).
static bool mayBeLink(int e)
{
    return e == ELOOP || e == ENOTDIR || e == EMLINK;
}

int openInside(const std::string& root, const std::string& rel, int flags)
{
    int rootFd = openRootFolder(root);
    if (rootFd < 0)
        return -1;
    int fd = openBelow(rootFd, rel, flags);
    int e = errno;
    if (fd < 0 && mayBeLink(e) && isPlainRelative(rel)) {
        std::string realRoot = realPathOf(root.empty() ? "." : root);
        std::string real = realPathOf((root.empty() ? "." : root) + "/" + rel);
        if (real.empty()) {
            e = ENOENT;
        } else if (!realRoot.empty() && real.size() > realRoot.size() + 1 &&
                   real.compare(0, realRoot.size() + 1, realRoot == "/" ? "/" : realRoot + "/") == 0) {
            fd = openBelow(rootFd, real.substr(realRoot == "/" ? 1 : realRoot.size() + 1), flags);
            e = errno;
        } else {
            e = ELOOP;
        }
    }
    close(rootFd);
    errno = e;
    return fd;
}

static bool isFolder(int dfd, const std::string& name, struct stat& st)
{
    return fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Opens and empties a plain file that has no other name (so writing into it
// reaches nothing else), when it is still the file st describes; -1 if not.
static int reuseFile(int dfd, const std::string& name, const struct stat& st)
{
    int fd = openat(dfd, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat now;
    if (fd >= 0 && fstat(fd, &now) == 0 && S_ISREG(now.st_mode) && now.st_nlink == 1 && now.st_ino == st.st_ino &&
        now.st_dev == st.st_dev && ftruncate(fd, 0) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

int createBelow(int rootFd, const std::string& rel, bool removeStray, const std::string& shownAs)
{
    std::string name;
    int dfd = openParentBelow(rootFd, rel, name);
    if (dfd < 0)
        return -1;
    int fd = -1, e = 0;
    for (int tries = 0; fd < 0 && tries < 3; tries++) {
        struct stat st;
        if (fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(st.st_mode)) {
                fprintf(stderr, "%s is a folder; nothing is written there\n", shownAs.c_str());
                e = EISDIR;
                break;
            }
            if (!S_ISREG(st.st_mode)) {
                if (!removeStray) {
                    fprintf(stderr, "%s is a link or a special file; nothing is written there\n", shownAs.c_str());
                    e = EEXIST;
                    break;
                }
                fprintf(stderr, "%s was a link or a special file; it is removed and written anew\n", shownAs.c_str());
            }
            if (S_ISREG(st.st_mode) && st.st_nlink == 1) {
                fd = reuseFile(dfd, name, st);
                if (fd >= 0)
                    break;
            }
            if (unlinkat(dfd, name.c_str(), 0) != 0 && errno != ENOENT) {
                e = errno;
                break;
            }
        }
        fd = openat(dfd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        e = errno;
        if (fd < 0 && e != EEXIST)
            break;
    }
    close(dfd);
    errno = e;
    return fd;
}

bool makeFoldersBelow(int rootFd, const std::string& rel, const std::string& shownAs)
{
    if (!isPlainRelative(rel)) {
        fprintf(stderr, "Could not make %s: not a folder's name\n", shownAs.c_str());
        return false;
    }
    int fd = dup(rootFd);
    for (const std::string& p : partsOf(rel)) {
        struct stat st;
        if (fd >= 0 && !isFolder(fd, p, st)) {
            if (fstatat(fd, p.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                fprintf(stderr, "%s: %s was in the place of a folder; it is removed\n", shownAs.c_str(), p.c_str());
                unlinkat(fd, p.c_str(), 0);
            }
            if (mkdirat(fd, p.c_str(), 0755) != 0 && errno != EEXIST) {
                close(fd);
                fd = -1;
            }
        }
        if (fd < 0)
            break;
        int next = openat(fd, p.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        int e = errno;
        close(fd);
        fd = next;
        errno = e;
    }
    if (fd < 0) {
        fprintf(stderr, "Could not make the folder %s: %s\n", shownAs.c_str(), strerror(errno));
        return false;
    }
    close(fd);
    return true;
}

bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += (size_t)n;
    }
    return true;
}

bool writeNewFile(const std::string& path, const std::string& bytes)
{
    int rootFd = openRootFolder(folderOfPath(path));
    int fd = rootFd < 0 ? -1 : createBelow(rootFd, lastNameOfPath(path), false, path);
    int e = errno;
    if (rootFd >= 0)
        close(rootFd);
    bool ok = fd >= 0 && writeAll(fd, bytes);
    if (fd >= 0) {
        e = ok ? 0 : errno;
        if (close(fd) != 0 && ok) {
            ok = false;
            e = errno;
        }
    }
    errno = e;
    return ok;
}
