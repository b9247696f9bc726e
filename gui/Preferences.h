// The user's choices that the workbench keeps from one start to the next:
// the text-processing and C4.5 options, the document-frequency threshold,
// the stop-word box and the last document folder. They live in a small text
// file of "key=value" lines in the user's configuration folder, one line per
// choice:
//
//   stemming=0|1  information_gain=0|1  sparse_file_set=0|1  stem_stop_words=0|1
//   c45_s=0|1  c45_m=N  c45_c=CF  c45_t=N  (empty: the option is not given)
//   min_df=N  stop_words=0|1  multi_category=0|1  document_folder=PATH
//
// Numbers are written and read in the C locale whatever the process locale.
#pragma once

#include "c45/C45Runner.h"

#include <string>

struct Preferences {
    bool useStemming = false;
    bool computeInformationGain = false;
    bool sparseFileSet = false;
    bool stemStopWords = false;
    bool multiCategory = false;
    C45Options c45Options;
    int minDf = 0;
    bool stopWords = false;
    std::string documentFolder; // empty when none was chosen
};

// "$XDG_CONFIG_HOME/tcw/settings", or "$HOME/.config/tcw/settings" when
// XDG_CONFIG_HOME is unset, empty or relative (as the XDG base-directory
// rules say); empty when neither variable gives a folder.
std::string preferencesPath();

// Sets in preferences every choice that the file at path holds a valid value
// for. A file that cannot be read or has a line that is neither "key=value",
// blank nor a "#" comment changes nothing. A key it does not know is
// skipped, and so is a value out of range (a C4.5 option that
// c45OptionsProblem refuses, a negative threshold, a folder that is not an
// existing folder) or of the wrong form.
void readPreferences(const std::string &path, Preferences &preferences);

// The file's text for preferences; a folder with a line break in its name
// is left out.
std::string preferencesText(const Preferences &preferences);

// Replaces the file at path with preferencesText (AtomicFile), making its
// folder first. Throws FileError when it cannot.
void writePreferences(const Preferences &preferences, const std::string &path);
