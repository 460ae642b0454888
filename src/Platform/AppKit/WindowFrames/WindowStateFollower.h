#pragma once

#include <cstdint>
#include <functional>

#include <QAbstractNativeEventFilter>

class QWidget;

// Calls back each time the window manager changes a window's _NET_WM_STATE
// (maximised in a direction, full screen, hidden), from the X server's own
// property-change event: nothing is asked of the server until it changes.
// Follows the window's native window as it is made anew; nothing where there
// is no X server. A property the manager deletes is read as no state, by Qt
// too.
class WindowStateFollower final : public QAbstractNativeEventFilter {
public:
    WindowStateFollower(const QWidget& window, std::function<void()> changed);
    ~WindowStateFollower() override;
    WindowStateFollower(const WindowStateFollower&) = delete;
    WindowStateFollower& operator=(const WindowStateFollower&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void answerDeletion(std::uint32_t window) const;

    const QWidget& window_;
    std::function<void()> changed_;
    std::uint32_t stateAtom_ = 0;
};
