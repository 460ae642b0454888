#include "Support/ScopedCompiledLocale.h"

#include <clocale>
#include <locale>
#include <stdexcept>

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

ScopedCompiledLocale::ScopedCompiledLocale(const char* name)
    : previousCLocale_(std::setlocale(LC_ALL, nullptr)) {
    const QString fullName = QString::fromLatin1(name) + QStringLiteral(".UTF-8");
    if (!compiledLocalesFolder().isValid() || !compileLocale(QString::fromLatin1(name), fullName)) {
        return;
    }
    qputenv("LOCPATH", compiledLocalesFolder().path().toLocal8Bit());
    const QByteArray localeName = fullName.toLatin1();
    if (std::setlocale(LC_ALL, localeName.constData()) == nullptr) {
        return;
    }
    try {
        std::locale::global(std::locale(localeName.constData()));
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, previousCLocale_.constData());
        return;
    }
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    isActive_ = true;
}

ScopedCompiledLocale::~ScopedCompiledLocale() {
    if (!isActive_) {
        return;
    }
    QLocale::setDefault(previousQtLocale_);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, previousCLocale_.constData());
}
