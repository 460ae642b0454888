#pragma once

#include <optional>
#include <sys/types.h>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;
class QTimer;

// One child process started with posix_spawn, without a shell, on the thread
// that owns this object (the main thread). Standard output and error are
// drained while it runs, so no output size can stall it, up to `outputLimit`;
// standard input is /dev/null; the environment and the working directory are
// inherited.
// The exit is noticed through a pidfd, and the child is reaped a moment after
// it ended, by ChildReaper: nothing here ever waits for a child, which may
// take long to end (stuck in the kernel, or held by a tracer). Each child
// leads a process group of its own, so that what it starts in turn ends with
// it: every signal goes to the whole group, and what is left of the group
// once a child asked to end has ended is killed.
class ChildProcess final : public QObject {
    Q_OBJECT

public:
    explicit ChildProcess(QObject* parent = nullptr);
    ~ChildProcess() override;

    // Starts `program` (an absolute path) with `arguments`; returns why the
    // system refused, or nothing once the child runs.
    std::optional<QString> start(const QString& program, const QStringList& arguments);

    bool isRunning() const { return pid_ > 0; }

    // What one child may write, its two streams together: far above what any
    // tool writes (a netstat of tens of thousands of connections writes a few
    // MB). Past it the child is killed with its group and its output dropped.
    static constexpr qsizetype outputLimit = qsizetype(16) * 1024 * 1024;

    // Kills every child still running, with whatever each has started, and
    // stops watching them: for the end of the process, when no event loop is
    // left to see them end. Their `finished` is never emitted. Never waits for
    // them to end. Main thread only.
    static void killAllRunning();

    // Kills the group of every child still running, and nothing more: for a
    // process that ends abruptly. Any thread.
    static void killAllRunningGroups();

    void terminate();
    void kill();

    const QByteArray& standardOutput() const { return standardOutput_; }
    const QByteArray& standardError() const { return standardError_; }
    // Whether the child wrote more than `outputLimit`; both outputs are then empty.
    bool exceededOutputLimit() const { return exceededOutputLimit_; }

    // The status `finished` gives for a child reaped by someone else, whose
    // status is lost.
    static constexpr int unknownStatus = -1;

signals:
    // The exit status, or the number of the signal that ended the child, or
    // `unknownStatus`.
    void finished(int status, bool endedBySignal);

private:
    struct OutputPipe {
        int descriptor = -1;
        QSocketNotifier* notifier = nullptr;
        QByteArray* buffer = nullptr;
    };

    void watchOutput(OutputPipe& pipe, int descriptor, QByteArray& buffer);
    void drain(OutputPipe& pipe);
    void stopAtOutputLimit();
    static void close(OutputPipe& pipe);
    void watchExit();
    void noticeExit();
    void sendSignal(int signalNumber);
    void killAndLetGo();
    void handOverToReaper();
    // Forgets the child; its process number.
    pid_t stopWatching();

    int pid_ = -1;
    int pidDescriptor_ = -1;
    QSocketNotifier* exitNotifier_ = nullptr;
    QTimer* exitPoll_ = nullptr;
    OutputPipe output_;
    OutputPipe error_;
    QByteArray standardOutput_;
    QByteArray standardError_;
    bool endRequested_ = false;
    bool exceededOutputLimit_ = false;
};
