#include "Platform/Process/ToolRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString installedToolRoot() {
    const QString applicationDirectory = QCoreApplication::applicationDirPath();
    // Beside the executable in the build tree, and under libexec once installed.
    const QStringList candidates{
        applicationDirectory + QStringLiteral("/toolroot"),
        applicationDirectory + QStringLiteral("/../toolroot"),
        applicationDirectory + QStringLiteral("/../libexec/pelmor/toolroot"),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return QDir::cleanPath(candidates.front());
}

} // namespace

ToolRoot ToolRoot::locate() {
    const QString fromEnvironment = qEnvironmentVariable("PELMOR_TOOL_ROOT");
    if (!fromEnvironment.isEmpty()) {
        return ToolRoot(fromEnvironment);
    }
    return ToolRoot(installedToolRoot());
}

QString ToolRoot::resolve(const QString& absolutePath) const {
    return directory_ + (absolutePath.startsWith(QLatin1Char('/'))
                             ? absolutePath
                             : QLatin1Char('/') + absolutePath);
}
