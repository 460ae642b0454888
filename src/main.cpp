#include "App/TerminationSignalWatcher.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmor"));
    QApplication::setOrganizationName(QStringLiteral("pelmor"));
    QApplication::setQuitOnLastWindowClosed(false);

    TerminationSignalWatcher terminationWatcher;
    QObject::connect(&terminationWatcher, &TerminationSignalWatcher::terminationRequested,
                     &application, [] { QApplication::quit(); });

    return QApplication::exec();
}
