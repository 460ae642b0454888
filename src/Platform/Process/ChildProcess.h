#pragma once

#include <optional>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;
class QTimer;

// One child process started with posix_spawn, without a shell, on the thread
// that owns this object (the main thread). Standard output and error are
// drained while it runs, so no output size can stall it; standard input, the
// environment and the working directory are inherited. The exit is noticed
// through a pidfd, and the child is always reaped (a moment after it ended,
// by ChildReaper). Each child leads a process group of its own, so that what
// it starts in turn can be ended with it.
class ChildProcess final : public QObject {
    Q_OBJECT

public:
    explicit ChildProcess(QObject* parent = nullptr);
    ~ChildProcess() override;

    // Starts `program` (an absolute path) with `arguments`; returns why the
    // system refused, or nothing once the child runs.
    std::optional<QString> start(const QString& program, const QStringList& arguments);

    bool isRunning() const { return pid_ > 0; }

    // Kills every child still running, with whatever each has started, and
    // reaps them, at once: for the end of the process, when no event loop is
    // left to see them end. Their `finished` is never emitted.
    static void killAllRunning();

    void terminate();
    void kill();

    const QByteArray& standardOutput() const { return standardOutput_; }
    const QByteArray& standardError() const { return standardError_; }

signals:
    // The exit status, or the number of the signal that ended the child.
    void finished(int status, bool endedBySignal);

private:
    struct OutputPipe {
        int descriptor = -1;
        QSocketNotifier* notifier = nullptr;
        QByteArray* buffer = nullptr;
    };

    void watchOutput(OutputPipe& pipe, int descriptor, QByteArray& buffer);
    static void drain(OutputPipe& pipe);
    static void close(OutputPipe& pipe);
    void watchExit();
    void noticeExit();
    void sendSignal(int signalNumber);
    void killAndReap();
    void stopWatchingExit();

    int pid_ = -1;
    int pidDescriptor_ = -1;
    QSocketNotifier* exitNotifier_ = nullptr;
    QTimer* exitPoll_ = nullptr;
    OutputPipe output_;
    OutputPipe error_;
    QByteArray standardOutput_;
    QByteArray standardError_;
};
