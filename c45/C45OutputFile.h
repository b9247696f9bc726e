// The ".c45p" file: the lines C4.5 printed in a run, each followed by "\n",
// and nothing else. Loading it and parsing with hasTest true restores every
// result of that run.
#pragma once

#include <string>
#include <vector>

// Writes the lines to path exactly as named (the caller appends ".c45p").
// The file is replaced as a whole; throws FileError when it cannot be
// written, leaving any old file in place.
void saveC45Output(const std::vector<std::string> &lines, const std::string &path);

// The lines of the file, split at "\n" (a last line without "\n" counts).
// Throws FileError when the file cannot be opened (a folder among them),
// read, or held in memory.
std::vector<std::string> loadC45Output(const std::string &path);
