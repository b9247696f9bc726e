#include "c45/C45OutputFile.h"
#include "corpus/FileError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string fileText(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(C45OutputFile, SavesEachLineWithANewlineAndReadsThemBack) {
    const fs::path dir = fs::temp_directory_path() / ("c45p-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "run.c45p").string();
    const std::vector<std::vector<std::string>> cases = {
        {}, {""}, {"", "Read 3 cases", "\tx\r", "", ""}, {"<CM>", "0", "+", "1", "a", "</CM>"}};
    for (const auto &lines : cases) {
        saveC45Output(lines, path);
        std::string expected;
        for (const std::string &line : lines)
            expected += line + '\n';
        EXPECT_EQ(fileText(path), expected);
        EXPECT_EQ(loadC45Output(path), lines);
    }
    std::ofstream(path, std::ios::binary) << "a\nlast without newline";
    EXPECT_EQ(loadC45Output(path), (std::vector<std::string>{"a", "last without newline"}));

    saveC45Output({"kept"}, path);
    EXPECT_THROW(saveC45Output({"x"}, (dir / "missing" / "run.c45p").string()), FileError);
    EXPECT_THROW(loadC45Output((dir / "missing.c45p").string()), FileError);
    EXPECT_THROW(loadC45Output(dir.string()), FileError);
    EXPECT_EQ(fileText(path), "kept\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

} // namespace
