#include "Support/ScopedCompiledLocale.h"

#include "Support/ScopedEnvironmentVariable.h"

#include <stdexcept>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace {

// One folder per process for every locale compiled; glibc finds them through LOCPATH.
QTemporaryDir& compiledLocalesFolder() {
    static QTemporaryDir folder;
    return folder;
}

bool compileLocale(const QString& name, const QString& fullName) {
    const QString target = compiledLocalesFolder().filePath(fullName);
    if (QFile::exists(target)) {
        return true;
    }
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), name, QStringLiteral("-f"),
                                                  QStringLiteral("UTF-8"), target});
    return localedef.waitForFinished(60'000) && localedef.exitStatus() == QProcess::NormalExit &&
           localedef.exitCode() == 0;
}

} // namespace

ScopedCompiledLocale::ScopedCompiledLocale(const char* name) {
    const QString fullName = QString::fromLatin1(name) + QStringLiteral(".UTF-8");
    if (!compiledLocalesFolder().isValid() || !compileLocale(QString::fromLatin1(name), fullName)) {
        return;
    }
    const QByteArray localeName = fullName.toLatin1();
    std::locale compiledGlobalLocale;
    {
        // Only while loading: setlocale() leaks its search path whenever LOCPATH is set.
        const ScopedEnvironmentVariable localePath("LOCPATH",
                                                   compiledLocalesFolder().path().toLocal8Bit());
        compiledCLocale_ = newlocale(LC_ALL_MASK, localeName.constData(), locale_t{});
        if (compiledCLocale_ == locale_t{}) {
            return;
        }
        try {
            // Unnamed, so that installing it does not call setlocale().
            compiledGlobalLocale = std::locale(
                std::locale::classic(), new std::numpunct_byname<char>(localeName.constData()));
        } catch (const std::runtime_error&) {
            freelocale(compiledCLocale_);
            return;
        }
    }
    std::locale::global(compiledGlobalLocale);
    previousThreadLocale_ = uselocale(compiledCLocale_);
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    isActive_ = true;
}

ScopedCompiledLocale::~ScopedCompiledLocale() {
    if (!isActive_) {
        return;
    }
    QLocale::setDefault(previousQtLocale_);
    std::locale::global(previousGlobalLocale_);
    uselocale(previousThreadLocale_);
    freelocale(compiledCLocale_);
}
