// The preferences file: its reader and writer.
#include "Preferences.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <type_traits>

namespace fs = std::filesystem;

namespace {

std::optional<bool> readFlag(const std::string &value) {
    if (value == "0")
        return false;
    if (value == "1")
        return true;
    return std::nullopt;
}

// The whole value as a number in the C locale (from_chars ignores the locale).
template <typename Number> std::optional<Number> readNumber(const std::string &value) {
    Number number{};
    const char *const end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, number);
    if (value.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// A C4.5 option: an empty value leaves it out; a value is taken only when
// c45OptionsProblem takes it.
template <typename Number>
void readOption(const std::string &value, std::optional<Number> C45Options::*option,
                C45Options &options) {
    if (value.empty()) {
        options.*option = std::nullopt;
        return;
    }
    const std::optional<Number> number = readNumber<Number>(value);
    if (!number)
        return;
    C45Options alone;
    alone.*option = *number;
    if (!c45OptionsProblem(alone))
        options.*option = *number;
}

void readFlagInto(const std::string &value, bool &flag) {
    if (const std::optional<bool> read = readFlag(value))
        flag = *read;
}

// Each reader sets its choice when the value is valid and otherwise leaves it.
using Reader = std::function<void(const std::string &value, Preferences &preferences)>;

const std::map<std::string, Reader> &readers() {
    static const std::map<std::string, Reader> byKey = {
        {"stemming", [](const std::string &v, Preferences &p) { readFlagInto(v, p.useStemming); }},
        {"information_gain",
         [](const std::string &v, Preferences &p) { readFlagInto(v, p.computeInformationGain); }},
        {"sparse_file_set",
         [](const std::string &v, Preferences &p) { readFlagInto(v, p.sparseFileSet); }},
        {"stem_stop_words",
         [](const std::string &v, Preferences &p) { readFlagInto(v, p.stemStopWords); }},
        {"multi_category",
         [](const std::string &v, Preferences &p) { readFlagInto(v, p.multiCategory); }},
        {"c45_s", [](const std::string &v,
                     Preferences &p) { readFlagInto(v, p.c45Options.discreteGroups); }},
        {"c45_m", [](const std::string &v,
                     Preferences &p) { readOption(v, &C45Options::minCases, p.c45Options); }},
        {"c45_c", [](const std::string &v,
                     Preferences &p) { readOption(v, &C45Options::confidence, p.c45Options); }},
        {"c45_t", [](const std::string &v,
                     Preferences &p) { readOption(v, &C45Options::trials, p.c45Options); }},
        {"min_df",
         [](const std::string &v, Preferences &p) {
             const std::optional<int> minDf = readNumber<int>(v);
             if (minDf && *minDf >= 0)
                 p.minDf = *minDf;
         }},
        {"stop_words", [](const std::string &v, Preferences &p) { readFlagInto(v, p.stopWords); }},
        {"document_folder",
         [](const std::string &v, Preferences &p) {
             std::error_code error;
             if (!v.empty() && fs::is_directory(v, error))
                 p.documentFolder = v;
         }},
    };
    return byKey;
}

// A number as from_chars' shortest round trip writes it: the same bytes in
// every locale, and read back as the same float.
std::string numberText(float value) {
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

template <typename Number> std::string optionalText(const std::optional<Number> &value) {
    if (!value)
        return "";
    if constexpr (std::is_floating_point_v<Number>)
        return numberText(*value);
    else
        return std::to_string(*value);
}

} // namespace

std::string preferencesPath() {
    const char *const config = std::getenv("XDG_CONFIG_HOME");
    if (config && fs::path(config).is_absolute())
        return (fs::path(config) / "tcw" / "settings").string();
    const char *const home = std::getenv("HOME");
    if (home && *home)
        return (fs::path(home) / ".config" / "tcw" / "settings").string();
    return {};
}

void readPreferences(const std::string &path, Preferences &preferences) {
    std::string content;
    try {
        if (!readRegularFile(path, content))
            return;
    } catch (const FileError &) {
        return;
    }
    Preferences read = preferences;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = std::min(content.find('\n', start), content.size());
        const std::string line = content.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            return;
        const auto reader = readers().find(line.substr(0, equals));
        if (reader != readers().end())
            reader->second(line.substr(equals + 1), read);
    }
    preferences = read;
}

std::string preferencesText(const Preferences &preferences) {
    const auto flag = [](bool value) { return value ? "1" : "0"; };
    const C45Options &c45 = preferences.c45Options;
    std::string text =
        std::string("stemming=") + flag(preferences.useStemming) +
        "\ninformation_gain=" + flag(preferences.computeInformationGain) +
        "\nsparse_file_set=" + flag(preferences.sparseFileSet) +
        "\nstem_stop_words=" + flag(preferences.stemStopWords) +
        "\nc45_s=" + flag(c45.discreteGroups) + "\nc45_m=" + optionalText(c45.minCases) +
        "\nc45_c=" + optionalText(c45.confidence) + "\nc45_t=" + optionalText(c45.trials) +
        "\nmin_df=" + std::to_string(preferences.minDf) +
        "\nstop_words=" + flag(preferences.stopWords) +
        "\nmulti_category=" + flag(preferences.multiCategory) + "\n";
    const std::string &folder = preferences.documentFolder;
    if (!folder.empty() && folder.find_first_of("\r\n") == std::string::npos)
        text += "document_folder=" + folder + "\n";

    return text;
}

void writePreferences(const Preferences &preferences, const std::string &path) {
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    AtomicFile file(path);
    file.stream() << preferencesText(preferences);
    file.commit();
}
