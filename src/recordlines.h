// recordlines.h -- the line functions shared by every record file (characters, items, quests, vars.sav).
#pragma once
#include <fstream>
#include <sstream>
#include <string>

// Longest line a record file holds; a reader keeps this much of a longer
// line and skips the rest of it, so every read stays within its own line.
const size_t RECORD_LINE_MAX = 400;

// Reads the next line and converts it as atoi does (leading blanks, optional
// sign, digits up to the first other character, no digits give 0). A value
// beyond the int range saturates at INT_MAX or INT_MIN instead of overflowing.
int readNumberFromFile(std::istream& in);
// Reads the next line without its line feed. A carriage return before the
// line feed is kept: a file with CR-LF ends gives strings ending in '\r'.
std::string readStringFromFile(std::istream& in);
void writeNumberToFile(int n, std::ostream& out);
// Writes s and a line feed. A line feed inside s is written as a blank, so
// that one string can never shift the lines of the values after it.
void writeStringToFile(std::string s, std::ostream& out);

// Reads the record file at `path` whole into `in`, a regular file of at most
// RECORD_FILE_MAX bytes (readfile.h); false when it is missing or refused, in
// which case the record reader reports it as missing.
// With root, path lies below that folder and is read with readFileBelow.
bool openRecordFile(const char* path, std::istringstream& in, const char* root = NULL);

// The conversion readNumberFromFile applies to one line.
int numberFromLine(const std::string& line);
// A float field as its file writes it: truncated toward zero, saturated at
// the int range, 0 for not-a-number.
int wholeNumberOf(float v);
