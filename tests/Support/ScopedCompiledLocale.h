#pragma once

#include <locale.h>
#include <locale>

#include <QLocale>

// Switches the calling thread's C library locale, the C++ global locale's number punctuation and
// Qt's default locale to a locale compiled for this process from the system's locale sources
// (nothing needs to be installed), and restores all three at the end. `isActive()` tells whether
// the switch happened. The thread locale stands in for setlocale(), which leaks its search path
// when LOCPATH is set.
class ScopedCompiledLocale {
public:
    explicit ScopedCompiledLocale(const char* name); // for example "de_DE"
    ~ScopedCompiledLocale();
    ScopedCompiledLocale(const ScopedCompiledLocale&) = delete;
    ScopedCompiledLocale& operator=(const ScopedCompiledLocale&) = delete;

    bool isActive() const { return isActive_; }

private:
    locale_t compiledCLocale_ = nullptr;
    locale_t previousThreadLocale_ = nullptr;
    std::locale previousGlobalLocale_;
    QLocale previousQtLocale_;
    bool isActive_ = false;
};
