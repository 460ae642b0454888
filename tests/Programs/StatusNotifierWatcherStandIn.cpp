#include "Support/FakeStatusNotifierWatcher.h"

#include <cstdio>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QSocketNotifier>

// A desktop's StatusNotifier watcher that takes its name on the session bus
// at once but serves its object only when told, as one still starting up
// does: each line on standard input has it serve, a host registered with it.
// Prints "named" once it holds the name and "serving" once it serves; ends
// when its input does.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    FakeStatusNotifierWatcher watcher(QDBusConnection::sessionBus());
    if (!watcher.takeName()) {
        std::fprintf(stderr, "the watcher's name is taken\n");
        return 1;
    }
    std::printf("named\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char byte = 0;
        if (read(STDIN_FILENO, &byte, 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        } else if (byte == '\n' && watcher.serve()) {
            watcher.setHostRegistered(true);
            std::printf("serving\n");
            std::fflush(stdout);
        }
    });
    return QCoreApplication::exec();
}
