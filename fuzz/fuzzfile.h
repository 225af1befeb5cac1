// fuzzfile.h -- hands a fuzz input to a reader that takes a file path.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A private folder for this fuzzer process, removed at exit; in memory where
// the system offers it, as every run writes and reads files. Standard error
// is fully buffered, so that a reader that warns per line does not make one
// system call per warning.
inline const std::string& fuzzFolder()
{
    static std::string dir = [] {
        static char errBuffer[1 << 16];
        setvbuf(stderr, errBuffer, _IOFBF, sizeof errBuffer);
        char shm[] = "/dev/shm/quorvane-fuzz-XXXXXX";
        char tmp[] = "/tmp/quorvane-fuzz-XXXXXX";
        char* d = mkdtemp(shm);
        if (!d)
            d = mkdtemp(tmp);
        if (!d)
            abort();
        std::string s = d;
        static std::string forCleanup = s;
        atexit([] {
            unlink((forCleanup + "/in").c_str());
            unlink((forCleanup + "/out").c_str());
            unlink((forCleanup + "/map.dat").c_str());
            rmdir(forCleanup.c_str());
        });
        return s;
    }();
    return dir;
}

// Writes the input to fuzzFolder()/name and returns the path.
inline std::string putFuzzInput(const char* name, const uint8_t* data, size_t size)
{
    std::string path = fuzzFolder() + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        abort();
    if (size && fwrite(data, 1, size, f) != size)
        abort();
    fclose(f);
    return path;
}

// A record written back and read again must come back field for field.
#define FUZZ_CHECK(cond) \
    do { \
        if (!(cond)) { \
            fprintf(stderr, "round trip lost %s\n", #cond); \
            abort(); \
        } \
    } while (0)
