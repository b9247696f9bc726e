// Whole-file reading for the engine's readers. It works on plain system
// calls, so that no stream exception can escape, a folder is told apart from
// a file and memory exhaustion becomes a reported error.
#pragma once

#include <string>

// Reads path whole into content, reusing its storage; a pipe is read to its
// end. Throws FileError::cannotOpen(path) when path cannot be opened or is a
// folder, FileError::cannotRead(path) on a read error and
// FileError::outOfMemory(path) when the content cannot be held in memory.
void readWholeFile(const std::string &path, std::string &content);

// The same for a document file, except that it reads nothing and returns
// false when path is not a regular file once links are followed: a named
// pipe is never waited for, a device never read.
bool readRegularFile(const std::string &path, std::string &content);

// The system's reason (an errno value) why directory cannot be listed, or 0
// when it can: TextProcessor::parseDocuments only traces that it could not.
int directoryError(const std::string &directory);
