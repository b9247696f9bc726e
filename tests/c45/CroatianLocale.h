// The locale the workbench's users run it in, set the way gtkmm sets it:
// the C locale and the global C++ locale, both restored at the end of scope.
// Numbers are written with a decimal comma there.
#pragma once

#include <clocale>
#include <locale>
#include <string>

class CroatianLocale {
public:
    CroatianLocale() : previousC_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "hr_HR.UTF-8") != nullptr;
        if (active_)
            previous_ = std::locale::global(std::locale("hr_HR.UTF-8"));
    }
    ~CroatianLocale() {
        std::setlocale(LC_ALL, previousC_.c_str());
        std::locale::global(previous_);
    }
    CroatianLocale(const CroatianLocale &) = delete;
    CroatianLocale &operator=(const CroatianLocale &) = delete;

    // False when the locale is not installed; a test must then fail.
    bool active() const { return active_; }

private:
    std::string previousC_;
    std::locale previous_;
    bool active_ = false;
};
