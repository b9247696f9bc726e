// Turning a fuzzer's bytes into the forms the readers take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> splitLines(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(data[i]));
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

// A scratch folder of this process for readers that take file names; in
// /dev/shm when there is one, so that each run costs no disk write.
inline const std::string &scratchFolder() {
    static const std::string folder = [] {
        std::string path = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        path += "/tcw-fuzz-" + std::to_string(getpid());
        mkdir(path.c_str(), 0700);
        return path;
    }();
    return folder;
}

inline std::string writeScratchFile(const std::string &name, const char *data, std::size_t size) {
    const std::string path = scratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    return path;
}
