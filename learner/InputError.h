// Error raised when a names, data or test file is malformed.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Holds every problem found (at most the error limit); what() is the first.
// Each message names the file and, for data lines, the case and the value.
class InputError : public std::runtime_error {
public:
    explicit InputError(std::vector<std::string> messages)
        : std::runtime_error(messages.empty() ? std::string() : messages.front()),
          messages_(std::move(messages)) {}
    const std::vector<std::string> &messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};
