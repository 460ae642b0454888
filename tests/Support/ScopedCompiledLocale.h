#pragma once

#include <QByteArray>
#include <QLocale>

// Switches the C library, the C++ global locale and Qt's default locale to a locale compiled
// for this process from the system's locale sources (nothing needs to be installed), and
// restores all three at the end. `isActive()` tells whether the switch happened.
class ScopedCompiledLocale {
public:
    explicit ScopedCompiledLocale(const char* name); // for example "de_DE"
    ~ScopedCompiledLocale();
    ScopedCompiledLocale(const ScopedCompiledLocale&) = delete;
    ScopedCompiledLocale& operator=(const ScopedCompiledLocale&) = delete;

    bool isActive() const { return isActive_; }

private:
    QByteArray previousCLocale_;
    QLocale previousQtLocale_;
    bool isActive_ = false;
};
