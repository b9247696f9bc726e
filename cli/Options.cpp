// Parsing of command options and the --help text of tcw commands.
#include "Options.h"

#include <algorithm>
#include <charconv>

bool sparseFormat(const std::string &format) {
    if (format == "libsvm")
        return true;
    if (format == "c45")
        return false;
    throw UsageError("option --format takes c45 or libsvm, not " + format);
}

OptionParser::OptionParser(std::string synopsis, std::string description)
    : synopsis_(std::move(synopsis)), description_(std::move(description)) {}

void OptionParser::text(const char *name, const char *valueName, std::string &target,
                        const char *help) {
    options_.push_back(
        {name, valueName, [&target](const std::string &value) { target = value; }, help});
}

void OptionParser::number(const char *name, const char *valueName, int &target, const char *help) {
    const std::string option = std::string("--") + name;
    options_.push_back({name, valueName,
                        [&target, option](const std::string &value) {
                            const char *end = value.data() + value.size();
                            const auto result = std::from_chars(value.data(), end, target);
                            if (result.ec != std::errc() || result.ptr != end)
                                throw UsageError("option " + option +
                                                 " needs a whole number, not " + value);
                        },
                        help});
}

void OptionParser::flag(const char *name, bool &target, const char *help) {
    options_.push_back({name, "", [&target](const std::string &) { target = true; }, help});
}

bool OptionParser::parse(const Arguments &arguments, std::ostream &out) {
    if (std::find(arguments.begin(), arguments.end(), "--help") != arguments.end()) {
        out << "Usage: tcw " << synopsis_ << "\n\n" << description_ << "\n\nOptions:\n";
        std::size_t width = std::string("--help").size();
        for (const Option &option : options_)
            width = std::max(width, option.name.size() + 3 + option.valueName.size());
        for (const Option &option : options_) {
            std::string left = "--" + option.name;
            if (!option.valueName.empty())
                left += " " + option.valueName;
            out << "  " << left << std::string(width + 2 - left.size(), ' ') << option.help << '\n';
        }
        out << "  --help" << std::string(width - 4, ' ') << "show this text\n";
        return false;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        const auto option = std::find_if(options_.begin(), options_.end(), [&](const Option &o) {
            return argument == "--" + o.name;
        });
        if (option == options_.end() && operands_ && (argument.empty() || argument[0] != '-')) {
            operands_->push_back(argument);
            continue;
        }
        if (option == options_.end())
            throw UsageError(argument.compare(0, 2, "--") == 0 ? "unknown option " + argument
                                                               : "unexpected argument " + argument);
        if (option->seen)
            throw UsageError("option " + argument + " given twice");
        option->seen = true;
        if (option->valueName.empty()) {
            option->assign("");
            continue;
        }
        if (++i == arguments.size())
            throw UsageError("option " + argument + " needs a value");
        option->assign(arguments[i]);
    }
    return true;
}

void OptionParser::operands(std::vector<std::string> &target) {
    operands_ = &target;
}

bool OptionParser::given(const char *name) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const Option &o) { return o.name == name && o.seen; });
}

bool fileSetLayout(const OptionParser &parser, const std::string &format, bool multiCategory) {
    if (!multiCategory)
        return sparseFormat(format);
    if (parser.given("format") && !sparseFormat(format))
        throw UsageError("the dense layout (--format c45) cannot carry several categories per "
                         "document: give --format libsvm or leave it out");
    return true;
}

void checkMinDf(int minDf) {
    if (minDf < 1)
        throw UsageError("--min-df needs at least 1 training document");
}

std::optional<int> topIgOption(const OptionParser &parser, int k) {
    if (!parser.given("top-ig"))
        return std::nullopt;
    if (k < 1)
        throw UsageError("--top-ig needs at least 1 word");
    return k;
}
