// The ".tokens" file written beside a C4.5 file set: what turned the
// documents' texts into the counts of the set, so that a tree learnt from it
// can be applied to new text. The learner never reads it. It holds one line,
// "stemming: yes" or "stemming: no".
#pragma once

#include <string>

struct TokenizerSettings {
    bool stemming = false;

    bool operator==(const TokenizerSettings &other) const { return stemming == other.stemming; }
};

// The file's whole text for these settings.
std::string tokenizerFileText(const TokenizerSettings &settings);

// Reads stem + ".tokens". Throws FileError::cannotOpen when it is missing
// (a file set written before the file existed) and FileError::malformed
// when its line is anything but the two above.
TokenizerSettings readTokenizerFile(const std::string &stem);
