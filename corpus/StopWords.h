// The stop-word file: words separated by white space (space, tab, line feed,
// carriage return, vertical tab, form feed), in file order, duplicates kept.
#pragma once

#include <string>
#include <vector>

// Throws FileError::cannotOpen(path) (also for a folder),
// FileError::cannotRead(path) or FileError::outOfMemory(path).
std::vector<std::string> readStopWordFile(const std::string &path);

// The entries as the parser keys words when stemming: an entry without a
// hyphen is lower-cased and stemmed (an entry stemmed to nothing is
// dropped), one with a hyphen is kept as it is. Order and duplicates stay.
std::vector<std::string> stemmedStopWords(const std::vector<std::string> &words);
