#pragma once

#include "Monitors/ChannelScanMonitor.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/ChannelScan/ChannelScanWindowInputs.h"

#include <memory>

#include <QObject>

class ChannelScanWindowView;

// Keeps a Channel Scan window view in step with the shared monitor: it
// redraws the view on a later turn after the monitor publishes, once per
// burst, and only while the view is visible (it redraws on show), and makes
// the view's button start or cancel the monitor's scan. Opening or closing
// the window starts and cancels nothing. Owned by the view.
class ChannelScanWindowBinder : public QObject {
    Q_OBJECT
public:
    ChannelScanWindowBinder(std::shared_ptr<ChannelScanMonitor> monitor,
                            ChannelScanWindowView& view);

    ChannelScanWindowInputs inputs() const;
    bool isRedrawScheduled() const { return isRedrawScheduled_; }

    // The button's action, by the monitor's state when pressed: cancels a
    // running scan (nothing else; the monitor ends it), else starts one.
    void performAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T> void observe(const Reactive::Published<T>& value);
    void scheduleRedraw();
    void redrawNow();

    std::shared_ptr<ChannelScanMonitor> monitor_;
    ChannelScanWindowView& view_;
    bool isRedrawScheduled_ = false;
    Reactive::CancellableSet subscriptions_;
};
