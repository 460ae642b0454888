#include "UI/ChannelScan/ChannelScanWindowBinder.h"

#include "UI/ChannelScan/ChannelScanWindowModel.h"
#include "UI/ChannelScan/ChannelScanWindowView.h"

#include <QEvent>
#include <QTimer>

ChannelScanWindowBinder::ChannelScanWindowBinder(std::shared_ptr<ChannelScanMonitor> monitor,
                                                 ChannelScanWindowView& view)
    : QObject(&view), monitor_(std::move(monitor)), view_(view) {
    view_.installEventFilter(this);
    view_.setOnAction([this] { performAction(); });
    observe(monitor_->isScanning());
    observe(monitor_->latestResult());
    observe(monitor_->completedPasses());
    observe(monitor_->totalPasses());
}

template <class T> void ChannelScanWindowBinder::observe(const Reactive::Published<T>& value) {
    // Subscribing delivers the current value at once; the view is drawn when
    // first shown.
    subscriptions_.insert(value.subscribe([this](const T&) { scheduleRedraw(); }));
}

ChannelScanWindowInputs ChannelScanWindowBinder::inputs() const {
    return {.isScanning = monitor_->isScanning().value(),
            .latestResult = monitor_->latestResult().value(),
            .completedPasses = monitor_->completedPasses().value(),
            .totalPasses = monitor_->totalPasses().value()};
}

void ChannelScanWindowBinder::performAction() {
    switch (ChannelScanWindowModel::buttonAction(inputs())) {
    case ChannelScanButtonAction::cancelScan:
        monitor_->cancelScan();
        break;
    case ChannelScanButtonAction::startScan:
        monitor_->startScan();
        break;
    }
}

// The monitor publishes several values together; one redraw, on a later
// turn, reads them all.
void ChannelScanWindowBinder::scheduleRedraw() {
    if (isRedrawScheduled_) {
        return;
    }
    isRedrawScheduled_ = true;
    QTimer::singleShot(0, this, &ChannelScanWindowBinder::redrawNow);
}

// A hidden view is left as it is: showing it redraws it.
void ChannelScanWindowBinder::redrawNow() {
    isRedrawScheduled_ = false;
    if (view_.isVisible()) {
        view_.setContent(ChannelScanWindowModel::content(inputs()));
    }
}

bool ChannelScanWindowBinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        if (event->type() == QEvent::Show) {
            redrawNow();
        } else if (event->type() == QEvent::LocaleChange) {
            scheduleRedraw();
        }
    }
    return QObject::eventFilter(watched, event);
}
