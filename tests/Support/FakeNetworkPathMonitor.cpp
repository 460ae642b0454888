#include "Support/FakeNetworkPathMonitor.h"

#include <thread>

FakeNetworkPathMonitor::FakeNetworkPathMonitor(std::shared_ptr<Record> record)
    : record_(std::move(record)) {
    record_->monitor = this;
}

FakeNetworkPathMonitor::~FakeNetworkPathMonitor() {
    record_->monitor = nullptr;
}

void FakeNetworkPathMonitor::setPathUpdateHandler(PathUpdateHandler handler) {
    handler_ = std::move(handler);
}

void FakeNetworkPathMonitor::start() {
    ++record_->startCount;
    if (!record_->isCancelled) {
        record_->isStarted = true;
    }
}

void FakeNetworkPathMonitor::cancel() {
    record_->isCancelled = true;
}

bool FakeNetworkPathMonitor::deliver(const NetworkPath& path) {
    if (!record_->isStarted || record_->isCancelled || !handler_) {
        return false;
    }
    std::thread monitorThread([this, &path] { handler_(path); });
    monitorThread.join();
    return true;
}
