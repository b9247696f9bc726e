// Helpers shared by the c45 tests: committed transcripts as lines.
#pragma once

#include "TestFiles.h"

inline std::string dataPath(const std::string &name) {
    return std::string(TEST_DATA_DIR) + "/" + name;
}

inline std::vector<std::string> transcript(const std::string &name) {
    return splitLines(fileText(dataPath(name)));
}
