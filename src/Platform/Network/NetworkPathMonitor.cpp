#include "Platform/Network/NetworkPathMonitor.h"

#include "Platform/Network/NetworkPathEvaluator.h"
#include "Platform/Network/RtnetlinkRoutingSource.h"

#include <exception>
#include <pthread.h>

#include <QtGlobal>

NetworkPathMonitor::NetworkPathMonitor()
    : NetworkPathMonitor(std::make_unique<RtnetlinkRoutingSource>(),
                         SysfsInterfaceTypeClassifier()) {}

NetworkPathMonitor::NetworkPathMonitor(std::unique_ptr<RoutingStateSource> source,
                                       SysfsInterfaceTypeClassifier classifier)
    : source_(std::move(source)), classifier_(std::move(classifier)) {}

NetworkPathMonitor::~NetworkPathMonitor() {
    cancel();
}

void NetworkPathMonitor::setPathUpdateHandler(PathUpdateHandler handler) {
    handler_ = std::move(handler);
}

void NetworkPathMonitor::start() {
    if (hasStarted_ || isCancelled_) {
        return;
    }
    hasStarted_ = true;
    thread_ = std::thread([this] { run(); });
}

void NetworkPathMonitor::cancel() {
    isCancelled_ = true;
    source_->interrupt();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void NetworkPathMonitor::run() {
    ::pthread_setname_np(::pthread_self(), "path-monitor");
    try {
        do {
            reportCurrentPath();
        } while (source_->waitForChange());
    } catch (const std::exception& error) {
        qWarning("Network path monitor stopped: %s", error.what());
    }
}

void NetworkPathMonitor::reportCurrentPath() {
    const NetworkPath path = NetworkPathEvaluator::evaluate(source_->readState(), classifier_);
    if (!isCancelled_ && handler_) {
        handler_(path);
    }
}
