// The main window's choices kept from one start to the next: read when the
// window is built, written when an options dialog is accepted, a document
// folder is chosen and the window goes.
#include "window1.h"

#include "corpus/FileError.h"

#include <filesystem>
#include <iostream>

// A threshold beyond the scale's range is left out, as the reader leaves out
// every value out of range.
void window1::restorePreferences() {
    Preferences preferences = shownPreferences();
    readPreferences(preferencesPath(), preferences);
    textProcessor.useStemming = preferences.useStemming;
    computeInformationGain = preferences.computeInformationGain;
    writeSparse = preferences.sparseFileSet;
    stemStopWords = preferences.stemStopWords;
    multiCategory = preferences.multiCategory;
    c45Options = preferences.c45Options;
    if (preferences.minDf <= df_scale->get_adjustment()->get_upper())
        df_scale->set_value(preferences.minDf);
    stop_words_checkbutton->set_active(preferences.stopWords);
    if (!preferences.documentFolder.empty()) {
        documentFolder = preferences.documentFolder;
        textProcessor.setDirectory(documentFolder);
    }
}

// A file that cannot be written costs only the choices: the line goes to
// standard error and no box interrupts the user.
void window1::savePreferences() const {
    const std::string path = preferencesPath();
    if (path.empty())
        return;
    try {
        writePreferences(shownPreferences(), path);
    } catch (const FileError &error) {
        std::cerr << error.messageWithReason() << std::endl;
    }
}

// The folder is kept absolute, so that a start from another working folder
// finds it.
Preferences window1::shownPreferences() const {
    Preferences preferences;
    preferences.useStemming = textProcessor.useStemming;
    preferences.computeInformationGain = computeInformationGain;
    preferences.sparseFileSet = writeSparse;
    preferences.stemStopWords = stemStopWords;
    preferences.multiCategory = multiCategory;
    preferences.c45Options = c45Options;
    preferences.minDf = static_cast<int>(df_scale->get_value());
    preferences.stopWords = stop_words_checkbutton->get_active();
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(documentFolder, error);
    if (!documentFolder.empty() && !error)
        preferences.documentFolder = folder.lexically_normal().string();
    return preferences;
}
