// The corpus steps of the workbench's text-processing page, run headless with
// the same console lines the workbench writes.
#pragma once

#include "corpus/TextProcessor.h"

#include <string>

// Parses the folder, then prints the eight count lines the workbench shows
// after a parse. Throws FileError when the folder or one of its files cannot
// be opened.
void parseFolder(TextProcessor &engine, const std::string &directory, bool stemming);

// Loads a ".tpp" state file, then prints the four count lines the workbench
// shows after opening one. Throws FileError.
void loadState(TextProcessor &engine, const std::string &file);
