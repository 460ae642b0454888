#include "Platform/Async/EventLoopExecutor.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

namespace Async {

namespace {
const QEvent::Type runBatchEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
}

class EventLoopExecutor::Receiver final : public QObject {
public:
    explicit Receiver(EventLoopExecutor& executor) : executor_(executor) {}

    bool event(QEvent* event) override {
        if (event->type() == runBatchEvent) {
            executor_.runBatch();
            return true;
        }
        return QObject::event(event);
    }

private:
    EventLoopExecutor& executor_;
};

EventLoopExecutor::EventLoopExecutor() : receiver_(new Receiver(*this)) {}

EventLoopExecutor::~EventLoopExecutor() {
    close();
    if (receiver_->thread() == QThread::currentThread()) {
        delete receiver_;
    } else {
        receiver_->deleteLater();
    }
}

void EventLoopExecutor::post(Job job) {
    std::lock_guard lock(mutex_);
    if (isClosed_) {
        return;
    }
    pending_.push_back(std::move(job));
    if (!isBatchScheduled_) {
        isBatchScheduled_ = true;
        QCoreApplication::postEvent(receiver_, new QEvent(runBatchEvent));
    }
}

void EventLoopExecutor::close() {
    std::deque<Job> dropped;
    {
        std::lock_guard lock(mutex_);
        isClosed_ = true;
        dropped.swap(pending_);
    }
    QCoreApplication::removePostedEvents(receiver_, runBatchEvent);
}

void EventLoopExecutor::runBatch() {
    std::deque<Job> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(pending_);
        isBatchScheduled_ = false;
    }
    for (auto& job : batch) {
        job();
    }
}

} // namespace Async
