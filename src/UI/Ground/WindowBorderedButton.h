#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

class FocusRing;

// The tool windows' plain button: a text label on a rounded rectangle that is
// filled and outlined, the outline drawn over the fill. The text is plain and
// elided when the button is narrower than it. A press lightens the fill a
// little, as does the pointer over it. By default it is the tool windows'
// action button: 12 pt semibold white text padded 12 by 7 on a corner radius
// of 8, filled with white at 0.08 and outlined by 1 point of white at 0.12.
//
// The button is never disabled by itself, and the second press of a
// double-click does nothing: a click that turns "Start" into "Cancel" in the
// same place is not cancelled by the rest of the same double-click. A release
// that never reaches the button (it hid in between) leaves no trace: the next
// press starts afresh.
class WindowBorderedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit WindowBorderedButton(const QString& title, QWidget* parent = nullptr);

    const QString& title() const { return title_; }
    // Changes the text in place; the button stays the same widget.
    void setTitle(const QString& title);

    const QFont& titleFont() const { return titleFont_; }
    void setTitleFont(const QFont& font);

    const QColor& textColor() const { return textColor_; }
    void setTextColor(const QColor& color);

    const QColor& fillColor() const { return fillColor_; }
    void setFillColor(const QColor& color);

    const QColor& borderColor() const { return borderColor_; }
    double borderWidth() const { return borderWidth_; }
    void setBorderColor(const QColor& color);
    void setBorderWidth(double width);
    void setBorder(const QColor& color, double width = 1);

    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);

    void setPadding(int horizontal, int vertical);

    // The text as drawn at the current width.
    QString displayedTitle() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void relayout();

    QString title_;
    QFont titleFont_;
    QColor textColor_;
    QColor fillColor_;
    QColor borderColor_;
    double borderWidth_ = 1;
    double cornerRadius_ = 8;
    int horizontalPadding_ = 12;
    int verticalPadding_ = 7;
    bool isSwallowingDoubleClick_ = false;
    FocusRing* focusRing_;
};
