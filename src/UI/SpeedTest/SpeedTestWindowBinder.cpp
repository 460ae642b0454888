#include "UI/SpeedTest/SpeedTestWindowBinder.h"

#include "Platform/Async/Runtime.h"
#include "UI/SpeedTest/SpeedTestWindowModel.h"
#include "UI/SpeedTest/SpeedTestWindowView.h"

#include <QEvent>
#include <QTimer>

SpeedTestWindowBinder::SpeedTestWindowBinder(std::shared_ptr<SpeedTestMonitor> monitor,
                                             SpeedTestWindowView* view, DateProvider dateProvider,
                                             NotificationCenter& clockChanges)
    : QObject(view), monitor_(std::move(monitor)), view_(view),
      dateProvider_(std::move(dateProvider)),
      dayChangeTimer_(Async::Runtime::current().timers(), dateProvider_, clockChanges,
                      [this] { scheduleRefresh(); }) {
    const SpeedTestMonitor& source = *monitor_;
    observe(source.isRunning());
    observe(source.phase());
    observe(source.progress());
    observe(source.latestResult());
    observe(source.downloadMbps());
    observe(source.uploadMbps());
    observe(source.baselineLatencyMilliseconds());
    observe(source.downloadLoadedLatencyMilliseconds());
    observe(source.uploadLoadedLatencyMilliseconds());
    observe(source.downloadBufferbloatRatio());
    observe(source.uploadBufferbloatRatio());
    observe(source.downloadBufferbloatGrade());
    observe(source.uploadBufferbloatGrade());
    observe(source.baselineProbeFailedAttemptIndices());
    observe(source.lastErrorMessage());
    view_->setActionHandler([this] { performAction(); });
    view_->installEventFilter(this);
    refreshNow();
}

SpeedTestWindowView* SpeedTestWindowBinder::makeView(std::shared_ptr<SpeedTestMonitor> monitor,
                                                     double headerContentSpacing,
                                                     DateProvider dateProvider,
                                                     NotificationCenter& clockChanges) {
    auto* view = new SpeedTestWindowView(headerContentSpacing);
    new SpeedTestWindowBinder(std::move(monitor), view, std::move(dateProvider), clockChanges);
    return view;
}

template <class T> void SpeedTestWindowBinder::observe(const Reactive::Published<T>& value) {
    cancellables_.insert(value.subscribe([this](const T&) {
        if (view_->isVisible()) {
            scheduleRefresh();
        }
    }));
}

SpeedTestWindowInputs SpeedTestWindowBinder::inputs() const {
    const SpeedTestMonitor& source = *monitor_;
    return {.isRunning = source.isRunning().value(),
            .phase = source.phase().value(),
            .progress = source.progress().value(),
            .latestResult = source.latestResult().value(),
            .downloadMbps = source.downloadMbps().value(),
            .uploadMbps = source.uploadMbps().value(),
            .baselineLatencyMilliseconds = source.baselineLatencyMilliseconds().value(),
            .downloadLoadedLatencyMilliseconds = source.downloadLoadedLatencyMilliseconds().value(),
            .uploadLoadedLatencyMilliseconds = source.uploadLoadedLatencyMilliseconds().value(),
            .downloadBufferbloatRatio = source.downloadBufferbloatRatio().value(),
            .uploadBufferbloatRatio = source.uploadBufferbloatRatio().value(),
            .downloadBufferbloatGrade = source.downloadBufferbloatGrade().value(),
            .uploadBufferbloatGrade = source.uploadBufferbloatGrade().value(),
            .baselineProbeFailedAttemptIndices = source.baselineProbeFailedAttemptIndices().value(),
            .lastErrorMessage = source.lastErrorMessage().value()};
}

void SpeedTestWindowBinder::performAction() {
    switch (SpeedTestWindowModel::action(monitor_->isRunning().value())) {
    case SpeedTestAction::cancel:
        monitor_->cancelSpeedTest();
        break;
    case SpeedTestAction::start:
        monitor_->startSpeedTest();
        break;
    }
}

// The monitor publishes several values together; the view is redrawn once,
// on the next turn, from all of them.
void SpeedTestWindowBinder::scheduleRefresh() {
    if (isRefreshScheduled_) {
        return;
    }
    isRefreshScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        if (isRefreshScheduled_) {
            refreshNow();
        }
    });
}

void SpeedTestWindowBinder::refreshNow() {
    isRefreshScheduled_ = false;
    view_->setContent(SpeedTestWindowModel::content(inputs(), dateProvider_()));
}

bool SpeedTestWindowBinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        if (event->type() == QEvent::Show) {
            refreshNow();
            dayChangeTimer_.start();
        } else if (event->type() == QEvent::Hide) {
            dayChangeTimer_.stop();
        } else if (event->type() == QEvent::LocaleChange && view_->isVisible()) {
            scheduleRefresh();
        }
    }
    return QObject::eventFilter(watched, event);
}
