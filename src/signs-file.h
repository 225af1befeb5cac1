// signs-file.h -- what a game's signposts say: the optional file signs.txt of a game folder.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

const char* const SIGNS_FILE = "signs.txt";
const size_t SIGNS_FILE_MAX = 64 * 1024;   // a few hundred signs; anything larger is refused
const size_t SIGN_LINE_MAX = 400;          // as a record file's line

// The words on the signpost standing on tile (column, row).
class Signpost
{
public:
    int column = 0, row = 0;
    int line = 0;   // of signs.txt, from 1
    std::string text;
};

// A line of signs.txt that says nothing usable, and why; `line` counts from 1.
class SignProblem
{
public:
    int line = 0;
    std::string message;
};

// Reads the text of signs.txt: "COLUMN ROW TEXT" a line, tiles 0..349; blank lines and lines
// starting with "//" are skipped. A line that cannot be read is left out and described in
// `problems`; so is a second sign for a tile (the first one counts).
void readSignposts(const std::string& bytes, std::vector<Signpost>& signs, std::vector<SignProblem>& problems);
