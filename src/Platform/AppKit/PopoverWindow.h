#pragma once

#include "Platform/AppKit/CompositingChecking.h"
#include "Platform/AppKit/PopoverPlacement.h"

#include <functional>
#include <memory>
#include <optional>

#include <QPointer>
#include <QWidget>

// The popover: a frameless window of its own that opens under the status
// icon and closes when the user clicks elsewhere or presses Escape; the
// pop-ups its content opened (bubbles, menus) close with it. It reports
// every way it closes through the close callback, and clicks inside the
// application that land elsewhere through the outside-click callback.
//
// The window is transparent where its content draws nothing. Content that
// says what it draws (PopoverContentShaping) is shown alone, with a clean
// edge: the window is shaped to it whenever no compositing manager would make
// the transparent part see-through.
class PopoverWindow final : public QWidget {
    Q_OBJECT

public:
    explicit PopoverWindow(std::shared_ptr<const CompositingChecking> compositing = nullptr);
    ~PopoverWindow() override;

    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

    // The size the content asks for; while shown, the popover keeps by its
    // icon and inside the screen's available area, where the content
    // scrolls when it is cut short.
    void setContentSize(QSize size);

    // Opens by `anchor` (the status icon) or, where the tray gives no icon
    // geometry (StatusNotifier hosts), at the pointer that clicked it.
    void showBelow(QRect anchor);
    void performClose();
    bool isShown() const { return isVisible(); }

    // Another application took the focus.
    void setOnDeactivate(std::function<void()> callback) { onDeactivate_ = std::move(callback); }
    void setOnClose(std::function<void()> callback) { onClose_ = std::move(callback); }
    // A mouse press anywhere in this application, with the window it hit.
    void setOnApplicationClick(std::function<void(QWindow*)> callback);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Shapes the window to its content, or clears the shape while a
    // compositing manager runs.
    void applyShape();
    void applyPlacement();

    std::shared_ptr<const CompositingChecking> compositing_;
    QPointer<QWidget> content_;
    QSize contentSize_;
    // Where it opened last.
    std::optional<PopoverPlacement> placement_;
    std::function<void()> onDeactivate_;
    std::function<void()> onClose_;
    std::function<void(QWindow*)> onApplicationClick_;
    // Shown since it was last active: its state still to be kept out of the
    // taskbar and pager.
    bool isOutOfTaskbarPending_ = false;
};
