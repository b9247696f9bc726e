// Helpers shared by the c45 tests: committed transcripts as lines.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> splitLines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::string dataPath(const std::string &name) {
    return std::string(TEST_DATA_DIR) + "/" + name;
}

inline std::vector<std::string> transcript(const std::string &name) {
    std::ifstream in(dataPath(name));
    std::ostringstream text;
    text << in.rdbuf();
    return splitLines(text.str());
}
