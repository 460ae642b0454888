#pragma once

#include <functional>

#include <QAbstractButton>
#include <QFont>

class FocusRing;
class Spinner;

// A text button of the popover in one of the platform's styles: plain (text
// in the accent colour), link (the same, smaller hit area), bordered (a faint
// rounded fill) or bordered prominent (filled with the accent colour). While
// busy it shows a 14 pt spinner instead of its text and takes no clicks.
class PopoverPushButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Style { plain, link, bordered, borderedProminent };

    PopoverPushButton(const QString& title, Style style, const QFont& font,
                      std::function<void()> action, QWidget* parent = nullptr);

    Style style() const { return style_; }
    bool isBusy() const { return busy_; }
    void setBusy(bool busy);
    Spinner* spinner() const { return spinner_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize contentSize() const;
    QMargins padding() const;

    Style style_;
    QFont font_;
    std::function<void()> action_;
    Spinner* spinner_;
    bool busy_ = false;
    FocusRing* focusRing_;
};
