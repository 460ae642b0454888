#pragma once

#include <functional>
#include <thread>

#include <QObject>

// Turns SIGTERM, SIGINT and SIGHUP into a clean quit of the Qt event loop. The signal
// handler only writes a byte to a pipe, which a thread of the watcher's own
// reads: it runs `atOnce` there, whatever the main thread is doing (stuck in a
// call Qt or a library makes, say), then asks the main thread to quit.
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

    explicit TerminationSignalWatcher(std::function<void(int signalNumber)> atOnce = {},
                                      QObject* parent = nullptr);
    ~TerminationSignalWatcher() override;

signals:
    // Emitted on the reader's thread, after `atOnce` has run: a receiver on
    // the main thread gets it queued.
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    std::function<void(int)> atOnce_;
    std::thread reader_;
    bool isWatching_ = false;
};
