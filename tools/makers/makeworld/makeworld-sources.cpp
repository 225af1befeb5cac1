// makeworld-sources.cpp -- reading the readable sources: the legend, place layouts and world.txt.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include "makeworld.h"

namespace {
int problems = 0;

bool toInt(const std::string& s, int& v)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    long n = strtol(s.c_str(), &end, 10);
    if (*end != '\0')
        return false;
    v = (int)n;
    return true;
}
} // namespace

void problem(const std::string& file, int line, const std::string& text)
{
    fprintf(stderr, "%s:%i: %s\n", file.c_str(), line, text.c_str());
    problems++;
}

int problemCount() { return problems; }

std::string trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> words(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

bool readLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path);
    if (!in) {
        problem(path, 0, "cannot be read");
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

// Each line: the character, the tile number, then a free description.
bool readLegend(const std::string& path, Legend& legend)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return false;
    for (size_t i = 0; i < lines.size(); i++) {
        const std::string& l = lines[i];
        if (l.empty() || l.rfind("//", 0) == 0)
            continue;
        int tile = -1;
        std::vector<std::string> w = words(l.substr(1));
        if (w.empty() || !toInt(w[0], tile) || tile < 0 || tile >= TILE_COUNT) {
            problem(path, (int)i + 1, "expected a character and a tile number 0.." + std::to_string(TILE_COUNT - 1));
            continue;
        }
        if (legend.count(l[0]))
            problem(path, (int)i + 1, std::string("character '") + l[0] + "' is given twice");
        legend[l[0]] = tile;
    }
    return true;
}

// Free text up to a line "map:", then one row of characters per line.
bool readPlace(const std::string& path, Place& place)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return false;
    bool inMap = false;
    for (const std::string& l : lines) {
        if (inMap)
            place.rows.push_back(l);
        else if (trim(l) == "map:")
            inMap = true;
    }
    if (!inMap)
        problem(path, 0, "has no \"map:\" line");
    return inMap;
}

// world.txt: one statement per line, words separated by blanks, '//' starts a comment.
bool readWorldPlan(const std::string& dir, WorldPlan& plan)
{
    std::string path = dir + "/world.txt";
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return false;
    Shape* shape = nullptr;
    for (size_t i = 0; i < lines.size(); i++) {
        int ln = (int)i + 1;
        std::string l = lines[i];
        size_t cut = l.find("//");
        if (cut != std::string::npos)
            l = l.substr(0, cut);
        std::vector<std::string> w = words(l);
        if (w.empty())
            continue;
        std::vector<int> n;
        bool numbersOk = true;
        for (size_t k = 1; k < w.size(); k++) {
            int v;
            if (toInt(w[k], v))
                n.push_back(v);
            else
                numbersOk = false;
        }
        const std::string& key = w[0];
        if (shape && key != "end") {
            int a, b;
            if (w.size() % 2 != 0 || !toInt(w[0], a)) {
                problem(path, ln, "expected pairs of tile coordinates or \"end\"");
                continue;
            }
            for (size_t k = 0; k + 1 < w.size(); k += 2) {
                if (!toInt(w[k], a) || !toInt(w[k + 1], b))
                    problem(path, ln, "expected pairs of tile coordinates");
                else
                    shape->points.push_back({(float)a, (float)b});
            }
            continue;
        }
        if (key == "end" && shape) {
            if (shape->points.size() < 3)
                problem(path, ln, "a land shape needs at least three points");
            shape = nullptr;
        } else if (key == "title" || key == "dir") {
            std::string rest = trim(l.substr(l.find(key) + key.size()));
            (key == "title" ? plan.title : plan.dir) = rest;
        } else if (key == "ending" && w.size() >= 3) {
            std::string rest = trim(l.substr(l.find(w[1]) + w[1].size()));
            plan.endings.push_back({w[1], rest});
        } else if ((key == "seed" || key == "fill" || key == "ground" || key == "border") && n.size() == 1 && numbersOk) {
            if (key == "seed")
                plan.seed = (unsigned)n[0];
            else if (key == "fill")
                plan.fill = n[0];
            else if (key == "ground")
                plan.ground = n[0];
            else
                plan.border = n[0];
        } else if (key == "rim" && n.size() == 4 && numbersOk) {
            for (int i = 0; i < 4; i++)
                plan.rim[i] = std::max(0, std::min(MAP_SIZE / 2, n[(size_t)i]));
        } else if (key == "land" && w.size() == 3) {
            int amp;
            if (!toInt(w[2], amp)) {
                problem(path, ln, "land NAME NOISE");
                continue;
            }
            plan.land.push_back(Shape());
            shape = &plan.land.back();
            shape->name = w[1];
            shape->noise = (float)amp;
        } else if (key == "region" && w.size() == 6) {
            int v[4];
            bool ok = true;
            for (int k = 0; k < 4; k++)
                ok = toInt(w[2 + k], v[k]) && ok;
            if (!ok) {
                problem(path, ln, "region KIND CX CY RX RY");
                continue;
            }
            plan.regions.push_back({w[1], (float)v[0], (float)v[1], (float)v[2], (float)v[3]});
        } else if ((key == "road" || key == "river") && numbersOk && n.size() >= 4 && n.size() % 2 == 0) {
            std::vector<std::pair<int, int>> pts;
            for (size_t k = 0; k < n.size(); k += 2)
                pts.push_back({n[k], n[k + 1]});
            (key == "road" ? plan.roads : plan.rivers).push_back(pts);
        } else if (key == "place" && w.size() == 4) {
            Place p;
            p.name = w[1];
            if (!toInt(w[2], p.x) || !toInt(w[3], p.y)) {
                problem(path, ln, "place NAME X Y");
                continue;
            }
            if (readPlace(dir + "/places/" + p.name + ".txt", p))
                plan.places.push_back(p);
        } else {
            problem(path, ln, "cannot understand \"" + trim(l) + "\"");
        }
    }
    if (shape)
        problem(path, (int)lines.size(), "land shape \"" + shape->name + "\" has no \"end\"");
    if (plan.dir.empty())
        problem(path, 0, "names no game directory (\"dir\")");
    return true;
}

bool resolveAt(const WorldPlan& plan, const std::string& where, const std::string& file, int line,
               int& tx, int& ty)
{
    std::vector<std::string> w = words(where);
    int dx, dy;
    if (w.size() == 2 && toInt(w[0], dx) && toInt(w[1], dy)) {
        tx = dx;
        ty = dy;
        return true;
    }
    if (w.size() == 3 && toInt(w[1], dx) && toInt(w[2], dy)) {
        for (const Place& p : plan.places) {
            if (p.name == w[0]) {
                tx = p.x + dx;
                ty = p.y + dy;
                return true;
            }
        }
        problem(file, line, "no place called \"" + w[0] + "\"");
        return false;
    }
    problem(file, line, "\"at\" wants X Y or PLACE DX DY");
    return false;
}
