// modkit.cpp -- finding the shared assets, counting the sprite sets and quieting the engine's readers, for the modders' tools.
#include "modkit.h"
#include "game-codes.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <vector>

namespace {

std::string folderOfProgram()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "";
    std::string p(buf, (size_t)n);
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "" : p.substr(0, slash);
}

} // namespace

std::string findAssetsFolder(const std::string& gameDir, const char* marker)
{
    std::vector<std::string> places = {"data/assets"};
    std::string parent = gameDir;
    while (parent.size() > 1 && parent.back() == '/')
        parent.pop_back();
    size_t slash = parent.rfind('/');
    parent = slash == std::string::npos ? "." : parent.substr(0, slash == 0 ? 1 : slash);
    places.push_back(parent + "/data/assets");
    places.push_back(gameDir + "/assets");
    std::string bin = folderOfProgram();
    if (!bin.empty()) {
        places.push_back(bin + "/../share/games/quorvane/data/assets");
        places.push_back(bin + "/data/assets");
        places.push_back(bin + "/../data/assets");
    }
    for (const std::string& p : places) {
        struct stat st;
        if (stat((p + "/" + marker).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return p;
    }
    return "";
}

QuietOutput::QuietOutput(bool errorsToo)
{
    fflush(stdout);
    fflush(stderr);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    savedOut_ = dup(1);
    dup2(null, 1);
    if (errorsToo) {
        savedErr_ = dup(2);
        dup2(null, 2);
    }
    close(null);
}

QuietOutput::~QuietOutput()
{
    fflush(stdout);
    fflush(stderr);
    if (savedOut_ >= 0) {
        dup2(savedOut_, 1);
        close(savedOut_);
    }
    if (savedErr_ >= 0) {
        dup2(savedErr_, 2);
        close(savedErr_);
    }
}

int countSpriteSets(const std::string& assets, bool (*present)(const std::string& path))
{
    int sets = SPRITE_SETS;
    for (; sets < SPRITE_SETS_MAX; sets++)
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++)
                if (!present(assets + "/sprites/" + std::to_string(sets) + "/" + std::to_string(d) + "-" +
                             std::to_string(f) + ".png"))
                    return sets;
    return sets;
}
