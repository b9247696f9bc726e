// Reading names, data and test files, well-formed and malformed.
#include "Dataset.h"
#include "FileError.h"
#include "InputError.h"
#include "NameReader.h"
#include "Schema.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
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
        {"last", "[last]EOF "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, names(c.first));
    }
}

std::string describe(const Schema &schema) {
    std::string text = "classes:";
    for (const std::string &c : schema.classes)
        text += " [" + c + "]";
    for (const Attribute &a : schema.attributes) {
        text += "; " + a.name + "=";
        text += a.kind == AttributeKind::Continuous ? "continuous"
                : a.kind == AttributeKind::Ignore   ? "ignore"
                                                    : "discrete" + std::to_string(a.openValues);
        for (const std::string &v : a.values)
            text += " " + v;
    }
    return text;
}

TEST(ReadNames, DeclaresClassesAndAttributes) {
    EXPECT_EQ("classes: [Play] [Don't Play]; outlook=discrete0 sunny overcast rain; "
              "temperature=continuous; humidity=continuous; windy=discrete0 true false",
              describe(readNames(dataDir + "/golf/golf.names")));
    EXPECT_EQ("classes: [acq] [earn]", describe(readNames(dataDir + "/noattr/noattr.names")));
    EXPECT_EQ("classes: [lo] [hi]; size=discrete3; note=ignore; x=continuous",
              describe(readNames(dataDir + "/read/open.names")));
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
    const std::string m = dataDir + "/malformed/";
    const std::string r = dataDir + "/read/";
    EXPECT_EQ(m + "count.data, line 2: case 2 has 2 values, expected 3 (attributes and class)\n" +
                  m +
                  "count.data, line 3: case 3 has 4 values, expected 3 (attributes and class)\n",
              failure("malformed/count.names", "malformed/count.data"));
    EXPECT_EQ(m + "class.data, line 2: case 2's class of 'wheat' is illegal\n",
              failure("malformed/class.names", "malformed/class.data"));
    EXPECT_EQ(m + "number.data, line 2: case 2's value of '1x' for attribute a is illegal\n" + m +
                  "number.data, line 3: case 3's value of '2.5e' for attribute b is illegal\n",
              failure("malformed/number.names", "malformed/number.data"));
    EXPECT_EQ(m + "empty.names: no class names\n", failure("malformed/empty.names", ""));
    EXPECT_EQ(m + "dot.names: no class names\n", failure("malformed/dot.names", ""));
    EXPECT_EQ(m + "emptyclass.names: class 2 has an empty name\n",
              failure("malformed/emptyclass.names", ""));
    EXPECT_EQ("file: cannot open file " + m + "missing.names\n",
              failure("malformed/missing.names", ""));
    EXPECT_EQ(r + "colon.names: colon expected after attribute name size\n",
              failure("read/colon.names", ""));
    EXPECT_EQ(r + "onevalue.names: attribute size has only one value\n",
              failure("read/onevalue.names", ""));
    EXPECT_EQ(r + "open.data, line 4: case 4's value of 'huge' for attribute size is illegal\n",
              failure("read/open.names", "read/open.data"));
}

// A value is the whole token, NUL bytes included, and a finite number in
// single precision; numbers too small for it are ordinary values.
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
        {"-infinity", "'-infinity'"},
        {"nan", "'nan'"},
        {"1e39", "'1e39'"},
        {"-1e39", "'-1e39'"},
        {"1e309", "'1e309'"},
        {std::string("\0GARBAGE", 8), "'\\000GARBAGE'"},
        {std::string("7\0", 2), "'7\\000'"},
        {"GARBAGE", "'GARBAGE'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
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

TEST(ReadCases, StopsAfterTenErrors) {
    const std::string text = failure("malformed/class.names", "read/limit.data");
    std::istringstream lines(text);
    std::vector<std::string> messages;
    for (std::string line; std::getline(lines, line);)
        messages.push_back(line);
    ASSERT_EQ(11u, messages.size());
    EXPECT_EQ(dataDir + "/read/limit.data, line 10: case 10's class of 'x' is illegal",
              messages[9]);
    EXPECT_EQ("Error limit exceeded", messages[10]);
}

TEST(ReadCases, StoresValuesSparselyWithUnknowns) {
    Schema schema = readNames(dataDir + "/read/open.names");
    const Dataset data = readCases(dataDir + "/read/good.data", schema);
    ASSERT_EQ(4u, data.size());
    std::ostringstream text;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const float x = data.value(i, 2);
        text << data.classOf(i) << ":" << data.discreteValue(i, 0) << ","
             << (Dataset::isUnknown(x) ? std::string("?") : std::to_string(x)) << " ";
    }
    EXPECT_EQ("0:1,0.000000 1:2,-999.000000 1:0,2.500000 0:3,? ", text.str());
    EXPECT_EQ(3u, data.entryCount());
    EXPECT_EQ("small medium large", schema.attributes[0].values[0] + " " +
                                        schema.attributes[0].values[1] + " " +
                                        schema.attributes[0].values[2]);
}

// Long rows of mostly zeros, in several spellings, cross the reader's
// buffer: every non-zero value must land on its own attribute, and a bad
// value after a run of zeros must still be named.
TEST(ReadCases, LongSparseRowsKeepEveryValueInPlace) {
    const std::string dir = ::testing::TempDir();
    const int attributes = 40000;
    {
        std::ofstream names(dir + "/wide.names");
        names << "yes, no.\n";
        for (int a = 0; a < attributes; ++a)
            names << "w" << a << ": continuous.\n";
    }
    const std::vector<std::string> zeros = {"0, ", "0,", " 0 ,", "\t0\t, "};
    std::vector<std::vector<std::pair<int, float>>> expected(4);
    {
        std::ofstream data(dir + "/wide.data");
        for (int row = 0; row < 4; ++row) {
            for (int a = 0; a < attributes; ++a) {
                if ((a * 7 + row) % 997 == 0) {
                    const float value = row == 3 ? 2.5f : static_cast<float>(a % 50 + 1);
                    expected[row].push_back({a, value});
                    data << (row == 3 ? "2.5" : std::to_string(a % 50 + 1)) << ", ";
                } else {
                    data << zeros[row];
                }
            }
            data << (row % 2 ? "no" : "yes") << "\n";
        }
    }
    Schema schema = readNames(dir + "/wide.names");
    const Dataset data = readCases(dir + "/wide.data", schema);
    ASSERT_EQ(4u, data.size());
    for (int row = 0; row < 4; ++row) {
        std::vector<std::pair<int, float>> read;
        for (const Dataset::Entry *e = data.rowBegin(row); e != data.rowEnd(row); ++e)
            read.push_back({e->attribute, e->value});
        EXPECT_EQ(expected[row], read) << "row " << row;
        EXPECT_EQ(row % 2, data.classOf(row));
    }

    {
        std::ofstream bad(dir + "/wide.data");
        for (int row = 0; row < 2; ++row) {
            for (int a = 0; a < attributes; ++a)
                bad << (row == 1 && a == 30000   ? "0x"
                        : row == 1 && a == 35000 ? "?x"
                                                 : "0")
                    << ", ";
            bad << "yes\n";
        }
    }
    try {
        readCases(dir + "/wide.data", schema);
        ADD_FAILURE() << "a bad value was accepted";
    } catch (const InputError &e) {
        ASSERT_EQ(1u, e.messages().size());
        EXPECT_EQ(dir +
                      "/wide.data, line 2: case 2's value of '0x' for attribute w30000 is illegal",
                  e.messages()[0]);
    }
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
            for (std::size_t i = 0; i < data.size(); ++i) {
                rows += std::to_string(data.classOf(i)) + ":";
                for (const Dataset::Entry *e = data.rowBegin(i); e != data.rowEnd(i); ++e) {
                    char value[32];
                    std::snprintf(value, sizeof value, "%g", e->value);
                    rows += " " + std::to_string(e->attribute) + "=" + value;
                }
                rows += ";";
            }
            EXPECT_EQ(data.entryCount(), std::size_t(data.columnEnd(2) - data.columnBegin(0)));
        });
        return error == "no error" ? rows : error;
    };
    const std::string at = path + ", line ";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"0 1:3 3:2.5\n2\n1 3:1e-40", "0: 0=3 2=2.5;2:;1: 2=9.99995e-41;"},
        {"1\t1:0 2:7  3:4 \r\n0 3:+2\n", "1: 2=4;0: 2=2;"},
        {"0 1:1\n3 1:1\n", at + "2: class label '3' is illegal\n"},
        {"-1 1:1\n", at + "1: class label '-1' is illegal\n"},
        {"a 1:1\n", at + "1: class label 'a' is illegal\n"},
        {"0.0 1:1\n", at + "1: class label '0.0' is illegal\n"},
        {"\n", at + "1: no class label\n"},
        {"0 1:1 3\n", at + "1: '3' has no colon\n"},
        {"0 1:1 junk\n", at + "1: 'junk' has no colon\n"},
        {"0 0:1\n", at + "1: attribute index of '0:1' is out of range\n"},
        {"0 4:1\n", at + "1: attribute index of '4:1' is out of range\n"},
        {"0 :1\n", at + "1: attribute index of ':1' is out of range\n"},
        {"0 99999999999999999999:1\n",
         at + "1: attribute index of '99999999999999999999:1' is out of range\n"},
        {"0 3:1 1:1\n", at + "1: attribute index of '1:1' does not ascend\n"},
        {"0 1:1 1:2\n", at + "1: attribute index of '1:2' does not ascend\n"},
        {"0 1:-1\n", at + "1: value of '1:-1' is illegal\n"},
        {"0 1:\n", at + "1: value of '1:' is illegal\n"},
        {"0 1:nan\n", at + "1: value of '1:nan' is illegal\n"},
        {"0 1:inf\n", at + "1: value of '1:inf' is illegal\n"},
        {"0 1:1e39\n", at + "1: value of '1:1e39' is illegal\n"},
        {"0 1:2x\n", at + "1: value of '1:2x' is illegal\n"},
        {"0 1:2:3\n", at + "1: value of '1:2:3' is illegal\n"},
        {std::string("0 1:2\0\n", 7), at + "1: value of '1:2\\000' is illegal\n"},
        {"1 1:1\n0 a\n2 1:x\n",
         at + "2: 'a' has no colon\n" + at + "3: value of '1:x' is illegal\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
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

// Lines far longer than the reader's buffer, and many of them, keep every
// value on its own attribute and case.
TEST(ReadSparseCases, LongLinesCrossTheBuffer) {
    const std::string stem = ::testing::TempDir() + "/widesparse";
    const int attributes = 600000;
    {
        std::ofstream names(stem + ".names");
        names << "yes, no.\n";
        for (int a = 0; a < attributes; ++a)
            names << "w" << a << ": continuous.\n";
    }
    std::vector<std::vector<std::pair<int, float>>> expected(5);
    {
        std::ofstream data(stem + ".data.svm");
        for (int row = 0; row < 5; ++row) {
            data << row % 2;
            for (int a = row; a < attributes; a += row == 2 ? 1 : 1000) {
                expected[row].push_back({a, static_cast<float>(a % 9 + 1)});
                data << ' ' << a + 1 << ':' << a % 9 + 1;
            }
            data << '\n';
        }
    }
    const Dataset data = readSparseCases(stem + ".data.svm", readNames(stem + ".names"));
    ASSERT_EQ(5u, data.size());
    for (int row = 0; row < 5; ++row) {
        std::vector<std::pair<int, float>> read;
        for (const Dataset::Entry *e = data.rowBegin(row); e != data.rowEnd(row); ++e)
            read.push_back({e->attribute, e->value});
        EXPECT_TRUE(expected[row] == read) << "row " << row;
        EXPECT_EQ(row % 2, data.classOf(row));
    }
}

} // namespace
