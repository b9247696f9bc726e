// Reading names, data and test files, well-formed and malformed.
#include "Dataset.h"
#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"
#include "Schema.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

namespace {

const std::string dataDir = TEST_DATA_DIR;

// Every name of a text with its delimiter, as "name/delimiter" items.
std::string names(const std::string &text) {
    std::FILE *file = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
    NameReader reader(file, "text");
    std::string result, name;
    bool found = true;
    for (;;) {
        const int delimiter = reader.read(name, true, found);
        if (!found)
            break;
        result += "[" + name + "]";
        result += delimiter == NameReader::EndOfFile ? std::string("EOF")
                  : delimiter == '\n'                ? std::string("NL")
                                                     : std::string(1, static_cast<char>(delimiter));
        result += ' ';
    }
    std::fclose(file);
    return result;
}

TEST(NameReader, SplitsNamesAsC45Does) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"acq, earn, grain.\n", "[acq], [earn], [grain]. "},
        {"3.5, u.s., x.|c\n", "[3.5], [u.s.], [x]. "},
        {"  two   words  :continuous.", "[two words]: [continuous]. "},
        {"a\\,b, c\\|d| comment, here\ne", "[a,b], [c|d]NL [e]EOF "},
        {".\n\n", "[]. "},
        {"x:\n  discrete 4.\n", "[x]: [discrete 4]. "},
        {"last", "[last]EOF "}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, names(c.first));
    }
}

// The messages of what reading throws, one a line, or "no error".
std::string failure(const std::function<void()> &read) {
    try {
        read();
    } catch (const InputError &e) {
        std::string text;
        for (const std::string &m : e.messages())
            text += m + "\n";
        return text;
    } catch (const FileError &e) {
        return std::string("file: ") + e.what() + "\n";
    }
    return "no error";
}

std::string failure(const std::string &names, const std::string &data) {
    return failure([&] {
        Schema schema = readNames(dataDir + "/" + names);
        if (!data.empty())
            readCases(dataDir + "/" + data, schema);
    });
}

TEST(ReadCases, RefusesMalformedFilesNamingFileCaseAndValue) {
    const std::string m = dataDir + "/malformed/", r = dataDir + "/read/";
    const std::vector<std::array<std::string, 3>> cases = {
        {"malformed/count.names", "malformed/count.data",
         m + "count.data, line 2: case 2 has 2 values, expected 3 (attributes and class)\n" + m +
             "count.data, line 3: case 3 has 4 values, expected 3 (attributes and class)\n"},
        {"malformed/class.names", "malformed/class.data",
         m + "class.data, line 2: case 2's class of 'wheat' is illegal\n"},
        {"malformed/number.names", "malformed/number.data",
         m + "number.data, line 2: case 2's value of '1x' for attribute a is illegal\n" + m +
             "number.data, line 3: case 3's value of '2.5e' for attribute b is illegal\n"},
        {"malformed/empty.names", "", m + "empty.names: no class names\n"},
        {"malformed/dot.names", "", m + "dot.names: no class names\n"},
        {"malformed/emptyclass.names", "", m + "emptyclass.names: class 2 has an empty name\n"},
        {"malformed/missing.names", "", "file: cannot open file " + m + "missing.names\n"},
        {"read/colon.names", "", r + "colon.names: colon expected after attribute name size\n"},
        {"read/onevalue.names", "", r + "onevalue.names: attribute size has only one value\n"},
        {"read/open.names", "read/open.data",
         r + "open.data, line 4: case 4's value of 'huge' for attribute size is illegal\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[2], failure(c[0], c[1]));
    }
    const std::string limit = failure("malformed/class.names", "read/limit.data");
    EXPECT_EQ(11, std::count(limit.begin(), limit.end(), '\n'));
    const std::string tail = r + "limit.data, line 10: case 10's class of 'x' is illegal\n"
                                 "Error limit exceeded\n";
    EXPECT_EQ(tail, limit.substr(limit.size() - std::min(limit.size(), tail.size())));
}

// A value is the whole token, NUL bytes included, and a finite number in
// single precision; numbers too small for it are ordinary values. A message
// quotes at most 60 bytes of a token, never half a UTF-8 character.
TEST(ReadCases, AcceptsOnlyWholeFiniteNumbers) {
    const std::string stem = ::testing::TempDir() + "/value";
    std::ofstream(stem + ".names") << "a, b.\nx: continuous.\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1e-40", "9.9999461e-41"},
        {"-1.5e-45", "-1.40129846e-45"},
        {"1e-320", "0"},
        {"+7", "7"},
        {"3.4e38", "3.39999995e+38"},
        {"inf", "'inf'"},
        {"nan", "'nan'"},
        {"-infinity", "'-infinity'"},
        {"1e39", "'1e39'"},
        {"-1e39", "'-1e39'"},
        {"1e309", "'1e309'"},
        {"GARBAGE", "'GARBAGE'"},
        {std::string("\0GARBAGE", 8), "'\\000GARBAGE'"},
        {std::string("7\0", 2), "'7\\000'"},
        {std::string(60, 'x'), "'" + std::string(60, 'x') + "'"},
        {std::string(1 << 20, 'x'), "'" + std::string(60, 'x') + "...'"},
        {std::string(59, 'x') + "\xc3\xa9z", "'" + std::string(59, 'x') + "...'"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first.substr(0, 80));
        std::ofstream(stem + ".data", std::ios::binary) << c.first << ", a\n";
        Schema schema = readNames(stem + ".names");
        try {
            const Dataset data = readCases(stem + ".data", schema);
            ASSERT_EQ(1u, data.size());
            char text[32];
            std::snprintf(text, sizeof text, "%.9g", data.value(0, 0));
            EXPECT_EQ(c.second, text);
        } catch (const InputError &e) {
            EXPECT_EQ(stem + ".data, line 1: case 1's value of " + c.second +
                          " for attribute x is illegal",
                      e.messages().front());
        }
    }
}

// A stream that gives its text and then fails, as a disk with a bad sector.
ssize_t readThenFail(void *cookie, char *buffer, std::size_t size) {
    auto &rest = *static_cast<std::string *>(cookie);
    if (rest.empty()) {
        errno = EIO;
        return -1;
    }
    const std::size_t n = std::min(size, rest.size());
    rest.copy(buffer, n);
    rest.erase(0, n);
    return static_cast<ssize_t>(n);
}

TEST(ReadCases, ReadErrorsAreNotTheEndOfTheFile) {
    // Far more than the reader's buffer holds, so that the error comes late.
    std::string text;
    while (text.size() < 200000)
        text += "1, 2, acq\n";
    std::string rest = text;
    std::FILE *file = fopencookie(&rest, "r", {readThenFail, nullptr, nullptr, nullptr});
    ASSERT_NE(nullptr, file);
    EXPECT_EQ("file: cannot read file half.data\n", failure([&] {
                  NameReader reader(file, "half.data");
                  std::string name;
                  bool found = true;
                  while (found)
                      reader.read(name, true, found);
              }));
    std::fclose(file);

    const std::string folder = ::testing::TempDir() + "/folder";
    mkdir((folder + ".data").c_str(), 0700);
    EXPECT_EQ("file: cannot read file " + folder + ".data\n", failure([&] {
                  Schema schema = readNames(dataDir + "/bla/bla.names");
                  readCases(folder + ".data", schema);
              }));
}

// Values of every row as attribute=value items, a row per line.
std::string entries(const Dataset &data) {
    std::string text;
    for (std::size_t i = 0; i < data.size(); ++i) {
        text += std::to_string(data.classOf(i)) + ":";
        for (const Dataset::Entry *e = data.rowBegin(i); e != data.rowEnd(i); ++e) {
            char value[32];
            std::snprintf(value, sizeof value, "%g", e->value);
            text += " " + std::to_string(e->attribute) + "=" + value;
        }
        text += ";";
    }
    return text;
}

TEST(ReadCases, StoresValuesSparselyWithUnknowns) {
    Schema schema = readNames(dataDir + "/read/open.names");
    const Dataset data = readCases(dataDir + "/read/good.data", schema);
    ASSERT_EQ(4u, data.size());
    std::string text;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const float x = data.value(i, 2);
        text += std::to_string(data.classOf(i)) + ":" + std::to_string(data.discreteValue(i, 0)) +
                "," + (Dataset::isUnknown(x) ? std::string("?") : std::to_string(x)) + " ";
    }
    EXPECT_EQ("0:1,0.000000 1:2,-999.000000 1:0,2.500000 0:3,? ", text);
    EXPECT_EQ(3u, data.entryCount());
    const std::vector<Attribute> &a = schema.attributes;
    ASSERT_EQ(3u, a.size());
    EXPECT_EQ((std::vector<std::string>{"lo", "hi"}), schema.classes);
    EXPECT_EQ((std::vector<std::string>{"small", "medium", "large"}), a[0].values);
    EXPECT_TRUE(a[0].name == "size" && a[0].kind == AttributeKind::Discrete);
    EXPECT_EQ(3, a[0].openValues);
    EXPECT_TRUE(a[1].name == "note" && a[1].kind == AttributeKind::Ignore);
    EXPECT_TRUE(a[2].name == "x" && a[2].kind == AttributeKind::Continuous);
}

// A file set of many continuous attributes, for rows longer than the
// reader's buffer.
std::string wideNames(const std::string &stem, int attributes) {
    std::ofstream names(stem + ".names");
    names << "yes, no.\n";
    for (int a = 0; a < attributes; ++a)
        names << "w" << a << ": continuous.\n";
    return stem + ".names";
}

// Long rows of mostly zeros, in several spellings, and long sparse lines
// cross the reader's buffer: every non-zero value must land on its own
// attribute, and a bad value after a run of zeros must still be named.
TEST(ReadCases, LongRowsCrossTheBufferInBothLayouts) {
    const std::string stem = ::testing::TempDir() + "/wide";
    Schema schema = readNames(wideNames(stem, 40000));
    const std::vector<std::string> zeros = {"0, ", "0,", " 0 ,", "\t0\t, "};
    std::string expected;
    {
        std::ofstream data(stem + ".data");
        for (int row = 0; row < 4; ++row) {
            expected += std::to_string(row % 2) + ":";
            for (int a = 0; a < 40000; ++a) {
                const std::string value = row == 3 ? "2.5" : std::to_string(a % 50 + 1);
                const bool held = (a * 7 + row) % 997 == 0;
                expected += held ? " " + std::to_string(a) + "=" + value : "";
                data << (held ? value + ", " : zeros[row]);
            }
            expected += ";";
            data << (row % 2 ? "no" : "yes") << "\n";
        }
    }
    EXPECT_TRUE(expected == entries(readCases(stem + ".data", schema)));
    {
        std::ofstream bad(stem + ".data");
        for (int row = 0; row < 2; ++row) {
            for (int a = 0; a < 40000; ++a)
                bad << (row == 1 && a == 30000   ? "0x"
                        : row == 1 && a == 35000 ? "?x"
                                                 : "0")
                    << ", ";
            bad << "yes\n";
        }
    }
    EXPECT_EQ(stem + ".data, line 2: case 2's value of '0x' for attribute w30000 is illegal\n",
              failure([&] { readCases(stem + ".data", schema); }));

    // Sparse lines far longer than the buffer, one of them dense.
    const std::string sparse = ::testing::TempDir() + "/widesparse";
    const Schema wide = readNames(wideNames(sparse, 600000));
    expected.clear();
    {
        std::ofstream data(sparse + ".data.svm");
        for (int row = 0; row < 5; ++row) {
            data << row % 2;
            expected += std::to_string(row % 2) + ":";
            for (int a = row; a < 600000; a += row == 2 ? 1 : 1000) {
                data << ' ' << a + 1 << ':' << a % 9 + 1;
                expected += " " + std::to_string(a) + "=" + std::to_string(a % 9 + 1);
            }
            data << '\n';
            expected += ";";
        }
    }
    EXPECT_TRUE(expected == entries(readSparseCases(sparse + ".data.svm", wide)));
}

// A sparse line is a class position and ascending one-based attribute
// positions with non-negative values; anything else is refused naming the
// file, the line and the token, up to the error limit.
TEST(ReadSparseCases, ReadsLinesAndRefusesMalformedTokens) {
    const std::string stem = ::testing::TempDir() + "/sparse";
    std::ofstream(stem + ".names") << "a, b, c.\nx: continuous.\nnote: ignore.\ny: continuous.\n";
    const Schema schema = readNames(stem + ".names");
    const std::string path = stem + ".data.svm";
    const auto read = [&](const std::string &text) {
        std::ofstream(path, std::ios::binary) << text;
        std::string rows;
        const std::string error = failure([&] {
            const Dataset data = readSparseCases(path, schema);
            rows = entries(data);
            EXPECT_EQ(data.entryCount(), std::size_t(data.columnEnd(2) - data.columnBegin(0)));
        });
        return error == "no error" ? rows : error;
    };
    const std::string at = path + ", line ";
    const auto first = [&](const std::string &message) { return at + "1: " + message + "\n"; };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"0 1:3 3:2.5\n2\n1 3:1e-40", "0: 0=3 2=2.5;2:;1: 2=9.99995e-41;"},
        {"1\t1:0 2:7  3:4 \r\n0 3:+2\n", "1: 2=4;0: 2=2;"},
        {"0 1:1\n3 1:1\n", at + "2: class label '3' is illegal\n"},
        {"-1 1:1\n", first("class label '-1' is illegal")},
        {"a 1:1\n", first("class label 'a' is illegal")},
        {"0.0 1:1\n", first("class label '0.0' is illegal")},
        {std::string(1 << 20, '7') + " 1:1\n",
         first("class label '" + std::string(60, '7') + "...' is illegal")},
        // Blank lines and "#" comments hold no case, as in LIBSVM's own files.
        {"\n \t\r\n# a comment\n  # indented\n1 1:2 # the rest\n0 3:1#x\n\n", "1: 0=2;0: 2=1;"},
        {"# 9 1:1\n\n0 1:x # 1:y\n", at + "3: value of '1:x' is illegal\n"},
        {"0 1:1 3\n", first("'3' has no colon")},
        {"0 0:1\n", first("attribute index of '0:1' is out of range")},
        {"0 4:1\n", first("attribute index of '4:1' is out of range")},
        {"0 :1\n", first("attribute index of ':1' is out of range")},
        {"0 99999999999999999999:1\n",
         first("attribute index of '99999999999999999999:1' is out of range")},
        {"0 3:1 1:1\n", first("attribute index of '1:1' does not ascend")},
        {"0 1:1 1:2\n", first("attribute index of '1:2' does not ascend")},
        {"0 1:-1\n", first("value of '1:-1' is illegal")},
        {"0 1:\n", first("value of '1:' is illegal")},
        {"0 1:nan\n", first("value of '1:nan' is illegal")},
        {"0 1:inf\n", first("value of '1:inf' is illegal")},
        {"0 1:1e39\n", first("value of '1:1e39' is illegal")},
        {"0 1:2:3\n", first("value of '1:2:3' is illegal")},
        {std::string("0 1:2\0\n", 7), first("value of '1:2\\000' is illegal")},
        {"1 1:1\n0 a\n2 1:x\n",
         at + "2: 'a' has no colon\n" + at + "3: value of '1:x' is illegal\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first.substr(0, 80));
        EXPECT_EQ(c.second, read(c.first));
    }

    std::string many;
    for (int line = 0; line < 12; ++line)
        many += "0 2:x\n";
    const std::string messages = read(many);
    EXPECT_EQ(0u, messages.find(at + "1: value of '2:x' is illegal\n"));
    EXPECT_NE(std::string::npos,
              messages.find(at + "10: value of '2:x' is illegal\nError limit exceeded\n"));
    EXPECT_EQ(std::string::npos, messages.find("line 11"));

    EXPECT_EQ("file: cannot open file " + stem + ".missing.svm\n",
              failure([&] { readSparseCases(stem + ".missing.svm", schema); }));
    const std::string folder = ::testing::TempDir() + "/folder.svm";
    mkdir(folder.c_str(), 0700);
    EXPECT_EQ("file: cannot read file " + folder + "\n",
              failure([&] { readSparseCases(folder, schema); }));
    EXPECT_EQ(dataDir + "/golf/golf.data.svm: attribute outlook is discrete, which a sparse file "
                        "cannot hold\n",
              failure([&] {
                  readSparseCases(dataDir + "/golf/golf.data.svm",
                                  readNames(dataDir + "/golf/golf.names"));
              }));
}

// Label lists: one or more ascending category positions, comma-separated;
// read only by readCategoryCases, refused by the single-label reader.
TEST(ReadCategoryCases, ReadsAscendingLabelListsAndRefusesOthers) {
    const std::string stem = ::testing::TempDir() + "/labellists";
    std::ofstream(stem + ".names") << "a, b, c.\nx: continuous.\ny: continuous.\n";
    const Schema schema = readNames(stem + ".names");
    const std::string path = stem + ".data.svm";
    const auto read = [&](const std::string &text) {
        std::ofstream(path, std::ios::binary) << text;
        std::string rows;
        const std::string error = failure([&] {
            const CategoryCases cases = readCategoryCases(path, schema);
            for (std::size_t i = 0; i < cases.cases.size(); ++i) {
                for (std::size_t k = cases.labelStart[i]; k < cases.labelStart[i + 1]; ++k)
                    rows += (k > cases.labelStart[i] ? "," : "") + std::to_string(cases.labels[k]);
                rows += "/" + std::to_string(cases.cases.classOf(i)) + " ";
            }
            for (int c = 0; c < 3; ++c) {
                rows += "|";
                for (const int binary : cases.binaryClasses(c))
                    rows += std::to_string(binary);
            }
        });
        return error == "no error" ? rows : error;
    };
    const std::string at = path + ", line 1: ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "|||"},
        {"0,2 1:1\n1\n0,1,2 2:3\n2 1:1\n", "0,2/0 1/1 0,1,2/0 2/2 |0101|1001|0100"},
        {"2,1 1:1\n", at + "class labels of '2,1' do not ascend\n"},
        {"1,1 1:1\n", at + "class labels of '1,1' do not ascend\n"},
        {"0,3 1:1\n", at + "class label '0,3' is illegal\n"},
        {"0, 1:1\n", at + "class label '0,' is illegal\n"},
        {",0 1:1\n", at + "class label ',0' is illegal\n"},
        {"0,,1 1:1\n", at + "class label '0,,1' is illegal\n"},
        {"0,1 1:x\n", at + "value of '1:x' is illegal\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, read(c.first));
    }
    std::ofstream(path) << "0,2 1:1\n";
    EXPECT_EQ(at + "class label '0,2' is illegal\n",
              failure([&] { readSparseCases(path, schema); }));
}

} // namespace
