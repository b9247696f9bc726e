#include "PageHost.h"

#include "corpus/FileError.h"

#include <iostream>
#include <new>

void PageHost::reportError(const std::string &message) {
    std::cerr << message << std::endl;
    showError(message);
}

bool PageHost::attempt(const std::function<void()> &operation) {
    try {
        operation();
        return true;
    } catch (const FileError &error) {
        reportError(error.messageWithReason());
    } catch (const std::bad_alloc &) {
        reportError("Out of memory");
    }
    return false;
}

namespace {

bool endsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string withoutEnding(const std::string &path, const std::string &end) {
    return endsWith(path, end) ? path.substr(0, path.size() - end.size()) : path;
}

std::string withExtension(const std::string &path, const std::string &extension) {
    return endsWith(path, extension) ? path : path + extension;
}

std::string namesStem(const std::string &path) {
    return withoutEnding(path, ".names");
}
