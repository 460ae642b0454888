#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a clean quit of the Qt event loop. The signal
// handler only writes a byte to a pipe; the quit itself runs on the main thread.
// A signal ignored when the watcher starts stays ignored, and destruction puts
// back what each signal did before.
class TerminationSignalWatcher : public QObject {
    Q_OBJECT

public:
    // Lets the quitting signals through on the calling thread, and on every
    // thread and child process it starts afterwards: a launcher may have left
    // them blocked. What each signal does is left alone, so an ignored one
    // stays ignored. For the start of the process, before any other thread.
    static void unblockQuittingSignals();

    explicit TerminationSignalWatcher(QObject* parent = nullptr);
    ~TerminationSignalWatcher() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void drainPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool isWatching_ = false;
};
