// readfile.cpp -- reading a whole regular file of bounded size, never blocking on pipes or devices.
#include "readfile.h"
#include "confined-fs.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool readWholeFile(const char* path, size_t limit, std::string& bytes)
{
    std::string p = path;
    return readFileBelow(folderOfPath(p), lastNameOfPath(p), limit, bytes);
}

bool readFileBelow(const std::string& root, const std::string& rel, size_t limit, std::string& bytes)
{
    bytes.clear();
    std::string shown = root == "." ? rel : root + "/" + rel;
    const char* path = shown.c_str();
    int fd = openInside(root, rel, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ELOOP)
            fprintf(stderr, "%s links out of %s, so it is not a regular file; treated as missing\n", path,
                    root.c_str());
        else if (errno != ENOENT && errno != ENOTDIR)
            fprintf(stderr, "%s cannot be read (%s); treated as missing\n", path, strerror(errno));
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fprintf(stderr, "%s is not a regular file; treated as missing\n", path);
        close(fd);
        return false;
    }
    if ((unsigned long long)st.st_size > limit) {
        fprintf(stderr, "%s is larger than %zu bytes; treated as missing\n", path, limit);
        close(fd);
        return false;
    }
    // The size may change while reading; never keep more than the limit.
    bytes.resize((size_t)st.st_size + 1);
    size_t got = 0;
    int err = 0;
    while (err == 0) {
        if (got == bytes.size()) {
            if (bytes.size() > limit)
                break;
            bytes.resize(bytes.size() * 2 > limit + 1 ? limit + 1 : bytes.size() * 2);
        }
        ssize_t n = read(fd, &bytes[got], bytes.size() - got);
        if (n > 0)
            got += (size_t)n;
        else if (n == 0)
            break;
        else if (errno != EINTR)
            err = errno;
    }
    close(fd);
    if (err != 0) {
        fprintf(stderr, "%s cannot be read (%s); treated as missing\n", path, strerror(err));
        bytes.clear();
        return false;
    }
    if (got > limit) {
        fprintf(stderr, "%s is larger than %zu bytes; treated as missing\n", path, limit);
        bytes.clear();
        return false;
    }
    bytes.resize(got);
    return true;
}
