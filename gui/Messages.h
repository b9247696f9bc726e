// The Croatian text of the engine's and the C4.5 runner's messages, for the
// windows. The engine writes its messages in English because the console
// (tcw and the lines the workbench prints on standard error) keeps them
// byte for byte; only what a window shows is translated.
#pragma once

#include <string>

// message in Croatian, recognised by its fixed shape (FileError's messages,
// runFailure's, c45OptionsProblem's, the series' refusals, the job layer's
// "Out of memory"). Paths, numbers, the system's reasons and the learner's
// quoted lines (every line after the first) are kept as they are; a part
// that is not recognised stays in English, and a message of no known shape
// (one already in Croatian among them) comes back unchanged.
std::string croatianMessage(const std::string &message);
