#pragma once

#include <functional>

#include <QAbstractButton>

class FocusRing;

// The plain "Back" button of the popover's panels: a left chevron and the
// word, small and secondary. Screen readers announce its accessible label.
class BackButton : public QAbstractButton {
    Q_OBJECT
public:
    BackButton(const QString& accessibilityLabel, std::function<void()> action,
               QWidget* parent = nullptr);

    void setAction(std::function<void()> action) { action_ = std::move(action); }

    QSize sizeHint() const override;
    // Where the chevron is drawn, as tall and wide as the label's font size.
    QRectF chevronRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> action_;
    FocusRing* focusRing_;
};
