#pragma once

#include "Platform/Async/Executor.h"

#include <deque>
#include <memory>
#include <mutex>

class QObject;

namespace Async {

// The main executor over the Qt event loop of the thread that creates it. Jobs
// posted between two turns run together in one later turn, in posting order;
// jobs posted while that batch runs wait for a later turn, so the loop keeps
// handling its other events.
class EventLoopExecutor final : public Executor {
public:
    EventLoopExecutor();
    ~EventLoopExecutor() override;

    void post(Job job) override;
    void close() override;

private:
    class Receiver;

    void runBatch();

    std::mutex mutex_;
    std::deque<Job> pending_;
    bool isBatchScheduled_ = false;
    bool isClosed_ = false;
    QObject* receiver_;
};

} // namespace Async
