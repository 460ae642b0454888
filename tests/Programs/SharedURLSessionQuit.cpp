#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "Platform/URLSession/URLSession.h"

#include <memory>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

// An application's whole lifetime around one request on the shared URL
// session: sends a GET to the address given, and quits once its standard
// input ends, whether or not an answer came. Torn down as the application is:
// the task runtime first, then the application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        return 64;
    }
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    URLRequest request;
    request.url = QUrl(QString::fromLocal8Bit(argv[1]));
    request.timeoutInterval = 60;
    Async::spawn(
        [request]() -> Async::Task<void> { co_await URLSession::shared().perform(request); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    return QCoreApplication::exec();
}
