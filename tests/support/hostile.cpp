// hostile.cpp -- the generator of hostile game folders, shared by the reliability tests and the checker's tests.
#include "hostile.h"
#include <random>
#include <string>
#include <vector>

namespace {

// Writes one hostile game folder. Every record file exists for number 0 (a
// folder without them is refused at load, by design); after that the
// numbering may skip. Numbers are anything from -2^31 to 2^32 and beyond;
// texts are empty, 400 characters long, bytes from 128 up or the names the
// game gives meaning to. A config.cfg of options and nonsense comes with it.
class Generator
{
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    unsigned pick(unsigned n) { return (unsigned)(rng_() % n); }
    bool chance(unsigned inN) { return pick(inN) == 0; }

    long long wild()
    {
        static const long long VALUES[] = {
            0, 1, -1, -3, -5, 2, 3, 8, 12, 13, 39, 40, 99, 4000, 1000000, 2147483647LL, -2147483647LL - 1,
            4294967295LL, 99999999999LL, -99999999999LL, 350, 16800, -48,
        };
        if (chance(3))
            return (long long)pick(50);
        if (chance(6))
            return (long long)(int)rng_();
        return VALUES[pick(sizeof VALUES / sizeof VALUES[0])];
    }

    std::string number(long long v)
    {
        switch (pick(24)) {
        case 0:
            return "";
        case 1:
            return "twelve";
        case 2:
            return std::to_string(v) + "abc";
        case 3:
            return " " + std::to_string(v);
        case 4:
            return "+" + std::to_string(v);
        default:
            return std::to_string(v);
        }
    }

    std::string text()
    {
        static const char* const NAMES[] = {
            "Plyr", "Shoppy", "Keyshop", "Gamble", "Questy", "Ending", "Seamonster", "Hello there.",
            "%s%n%x", "sword", "potion", "key", "locket", "\t", " ",
        };
        switch (pick(8)) {
        case 0:
            return "";
        case 1:
            return std::string(400, (char)('a' + pick(26)));
        case 2: {
            std::string s;
            int n = 1 + (int)pick(60);
            for (int i = 0; i < n; i++)
                s.push_back((char)(128 + pick(128)));
            return s;
        }
        default:
            return NAMES[pick(sizeof NAMES / sizeof NAMES[0])];
        }
    }

    // A position near the player's start most of the time, so that random
    // walking meets it; anywhere at all otherwise.
    long long near(int centre)
    {
        if (chance(5))
            return wild();
        return centre - 250 + (long long)pick(500);
    }

    static std::string lines(const std::vector<std::string>& v, size_t keep)
    {
        std::string s;
        for (size_t i = 0; i < v.size() && i < keep; i++)
            s += v[i] + "\n";
        return s;
    }

    // Usually whole; now and then cut short at any line, or without the last newline.
    std::string file(const std::vector<std::string>& v)
    {
        if (chance(10))
            return lines(v, pick((unsigned)v.size()));
        std::string s = lines(v, v.size());
        if (chance(10))
            s.pop_back();
        return s;
    }

    // A foe stands a little off the player's usual start and is hostile, so
    // that fights begin; its statistics are as wild as anyone's.
    std::string character(bool isPlayer, bool isFoe = false)
    {
        std::vector<std::string> v;
        if (isFoe) {
            v.push_back(number(580 + pick(150)));
            v.push_back(number(530 + pick(150)));
        } else {
            v.push_back(number(isPlayer && !chance(6) ? 480 + pick(200) : near(600)));
            v.push_back(number(isPlayer && !chance(6) ? 480 + pick(200) : near(600)));
        }
        for (int i = 0; i < 9; i++)   // hp, hp_max, mp, mp_max, xp, level, strength, dexterity, intelligence
            v.push_back(number(chance(2) ? 1 + pick(40) : wild()));
        v.push_back(number(wild()));  // flagId
        v.push_back(number(isFoe ? 1 : chance(2) ? pick(2) : wild()));
        v.push_back(isPlayer ? "Plyr" : text());
        v.push_back(text());
        v.push_back(text());
        v.push_back(number(chance(2) ? pick(2) : wild()));
        v.push_back(number(chance(2) ? pick(9) : wild()));   // sprite
        v.push_back(number(chance(2) ? pick(4) : wild()));   // direction
        v.push_back(number(wild()));                          // money
        return isPlayer ? lines(v, v.size()) : file(v);
    }

    std::string item()
    {
        std::vector<std::string> v;
        v.push_back(number(chance(2) ? pick(13) : wild()));   // type
        v.push_back(number(wild()));                           // maxEffect
        v.push_back(number(wild()));                           // price
        static const long long OWNERS[] = {0, 1, 2, 6, -2, 3, 7};
        v.push_back(number(chance(4) ? wild() : OWNERS[pick(7)]));
        v.push_back(number(near(600)));
        v.push_back(number(near(600)));
        v.push_back(number(chance(2) ? pick(2) : wild()));
        v.push_back(text());
        v.push_back(text());
        v.push_back(text());
        v.push_back(number(chance(2) ? pick(4) : wild()));    // icon
        v.push_back(number(wild()));                           // range
        return file(v);
    }

    std::string quest()
    {
        return file({text(), text(), number(wild()), number(chance(2) ? pick(2) : wild()), number(wild())});
    }

    std::string vars(const std::string& dir)
    {
        std::vector<std::string> v;
        v.push_back(text());
        for (int i = 0; i < 4; i++)   // menu screen, frames, drunkenness, floater
            v.push_back(number(chance(2) ? pick(4) : wild()));
        for (int i = 0; i < 40; i++)
            v.push_back(number(chance(2) ? pick(2) : wild()));
        v.push_back(chance(4) ? text() : dir);
        std::string s = file(v);
        return s.empty() ? "\n" : s;
    }

    // Mostly grass around the start, with any byte at all here and there,
    // short rows and a short file now and then.
    std::string map()
    {
        int rows = chance(8) ? (int)pick(350) : 350;
        std::string s;
        for (int r = 0; r < rows; r++) {
            int len = chance(20) ? (int)pick(350) : 350;
            std::string row(len, 'A');
            int noise = chance(3) ? len / 3 : len / 30;
            for (int i = 0; i < noise && len > 0; i++)
                row[pick(len)] = (char)(chance(3) ? 1 + pick(255) : 'A' + pick(63));
            for (char& c : row)
                if (c == '\n')
                    c = 'A';
            s += row + "\n";
        }
        return s;
    }

    std::string intro()
    {
        std::string s;
        int n = (int)pick(200);
        for (int i = 0; i < n; i++)
            s += (chance(10) ? std::string(130 + pick(300), 'x') : text()) + "\n";
        return s;
    }

    // Options in any order and number, among lines that are none.
    std::string config()
    {
        static const char* const LINES[] = {"widescreen", "fs", "fullscreen", "windowed", "noalpha", "longtalk",
                                            "fastwater", "debug", "pickpocketry", "WIDESCREEN", "fs ", ""};
        std::string s;
        int n = (int)pick(6);
        for (int i = 0; i < n; i++)
            s += (chance(5) ? text() : LINES[pick(sizeof LINES / sizeof LINES[0])]) + std::string("\n");
        return s;
    }

    void write(const qtest::WorkDir& wd, const std::string& dir)
    {
        wd.write("config.cfg", config());
        wd.write(dir + "/vars.sav", vars(dir));
        int n = 1 + (int)pick(10);
        // Mostly the first character is the player; a later one may be lost
        // behind a gap in the numbering, and some folders have none.
        int player = chance(20) ? -1 : !chance(4) ? 0 : (int)pick((unsigned)n);
        for (int i = 0; i < n; i++)
            if (i == 0 || !chance(8))
                wd.write(dir + "/npcdef/" + std::to_string(i) + ".def",
                         character(i == player || chance(20), i != player && chance(3)));
        n = 1 + (int)pick(12);
        for (int i = 0; i < n; i++)
            if (i == 0 || !chance(8))
                wd.write(dir + "/idef/" + std::to_string(i) + ".def", item());
        n = 1 + (int)pick(4);
        for (int i = 0; i < n; i++)
            if (i == 0 || !chance(8))
                wd.write(dir + "/qdef/" + std::to_string(i) + ".def", quest());
        wd.write(dir + "/map.dat", map());
        if (!chance(5))
            wd.write(dir + "/intro.txt", intro());
        if (chance(3))
            wd.write(dir + "/ending/0.png", wd.read("data/assets/gameover.png"));
    }

private:
    std::mt19937 rng_;
};

} // namespace

namespace qtest {

void writeHostileFolder(const WorkDir& wd, const std::string& dir, unsigned seed)
{
    Generator gen(seed);
    gen.write(wd, dir);
}

} // namespace qtest
