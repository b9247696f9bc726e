// Option parsing shared by the tcw commands: "--name VALUE" options and
// "--name" flags, each bound to a variable, and a generated --help text.
#pragma once

#include "Command.h"

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// A command line that does not fit the command's usage; main prints the
// message with a hint to --help and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file-set layout named by a --format value: true for "libsvm" (the
// sparse set), false for "c45" (the dense one); throws UsageError otherwise.
bool sparseFormat(const std::string &format);

class OptionParser {
public:
    // synopsis is the usage line after "Usage: tcw ", description a paragraph
    // printed under it by --help.
    OptionParser(std::string synopsis, std::string description);

    // Binds "--name VALUE"; text(s) stays as it was when the option is absent.
    void text(const char *name, const char *valueName, std::string &target, const char *help);
    // Binds "--name N" for a whole number.
    void number(const char *name, const char *valueName, int &target, const char *help);
    // Binds "--name", which sets target to true.
    void flag(const char *name, bool &target, const char *help);

    // Collects the arguments that are neither options nor their values, in
    // order, into target; without this they are stray arguments.
    void operands(std::vector<std::string> &target);

    // Parses the arguments into the bound variables. Returns false after
    // printing the help text to out when --help is among them. Throws
    // UsageError for an unknown option, a missing value, a repeated option
    // or a stray argument.
    bool parse(const Arguments &arguments, std::ostream &out);

    // Whether the named option appeared in the parsed arguments.
    bool given(const char *name) const;

private:
    struct Option {
        std::string name;
        std::string valueName; // empty for a flag
        std::function<void(const std::string &value)> assign;
        std::string help;
        bool seen = false;
    };

    std::string synopsis_;
    std::string description_;
    std::vector<Option> options_;
    std::vector<std::string> *operands_ = nullptr;
};

// The file-set layout for the "--format" option bound to format: as
// sparseFormat says, or the sparse one when the option was not given and
// the corpus is of the multi-category mode, whose several categories per
// document a dense case cannot carry: asking for the dense layout then
// throws UsageError.
bool fileSetLayout(const OptionParser &parser, const std::string &format, bool multiCategory);

// Throws UsageError for a "--min-df" below 1: a word is in at least one
// training document, so a lower threshold would only look like one.
void checkMinDf(int minDf);

// The value of "--top-ig K" bound to k, absent when the option was not
// given. Throws UsageError for a K below 1.
std::optional<int> topIgOption(const OptionParser &parser, int k);
