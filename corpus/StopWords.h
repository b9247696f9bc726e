// The stop-word file: words separated by white space (space, tab, line feed,
// carriage return, vertical tab, form feed), in file order, duplicates kept.
#pragma once

#include <string>
#include <vector>

// Throws FileError::cannotOpen(path) (also for a folder),
// FileError::cannotRead(path) or FileError::outOfMemory(path).
std::vector<std::string> readStopWordFile(const std::string &path);
