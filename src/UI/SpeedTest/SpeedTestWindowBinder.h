#pragma once

#include "Core/DateProvider.h"
#include "Monitors/SpeedTestMonitor.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/Ground/DayChangeTimer.h"
#include "UI/SpeedTest/SpeedTestWindowInputs.h"

#include <memory>

#include <QObject>

class SpeedTestWindowView;

// Shows the shared speed-test monitor in a window view and carries out its
// button. Published changes redraw the view once, on a later turn of the
// event loop; while the view is hidden nothing is drawn, and showing it
// redraws. While shown it also redraws at each local midnight, when "today"
// in the footer's time moves on. Opening or closing the window starts or
// cancels nothing. Midnight is timed by `dateProvider` and the task
// runtime's timers, armed afresh at each change of the wall clock posted to
// `clockChanges`.
class SpeedTestWindowBinder : public QObject {
    Q_OBJECT
public:
    // The binder lives as long as `view`, its parent.
    SpeedTestWindowBinder(std::shared_ptr<SpeedTestMonitor> monitor, SpeedTestWindowView* view,
                          DateProvider dateProvider = systemDateProvider(),
                          NotificationCenter& clockChanges = NotificationCenter::defaultCenter());

    // A view over `monitor`, bound.
    static SpeedTestWindowView*
    makeView(std::shared_ptr<SpeedTestMonitor> monitor, double headerContentSpacing,
             DateProvider dateProvider = systemDateProvider(),
             NotificationCenter& clockChanges = NotificationCenter::defaultCenter());

    // The monitor's values now.
    SpeedTestWindowInputs inputs() const;
    // The button: cancels the running test when the monitor reports one,
    // otherwise starts a test, reading the monitor at the moment of the click.
    void performAction();
    // Draws the monitor's current values at once.
    void refreshNow();
    bool isRefreshScheduled() const { return isRefreshScheduled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T> void observe(const Reactive::Published<T>& value);
    void scheduleRefresh();

    std::shared_ptr<SpeedTestMonitor> monitor_;
    SpeedTestWindowView* view_;
    DateProvider dateProvider_;
    DayChangeTimer dayChangeTimer_;
    bool isRefreshScheduled_ = false;
    Reactive::CancellableSet cancellables_;
};
