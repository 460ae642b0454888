#pragma once

#include <QPointer>
#include <QWidget>

class OneLineLabel;

// The small bubble under the channel information button: the channel details
// in the caption font, 8 pt of padding all round. A press anywhere else in the
// application closes it and still does what it does there (the bubble holds
// no grab); a press on its anchor is left to the anchor, which toggles it.
// Escape closes the bubble alone; the wheel passes through it to the content
// under it. It belongs to its anchor: once the anchor
// is hidden or is no longer where the bubble was presented (another page,
// content shown above it, a scroll, the popover moved), the bubble closes.
// It does not follow: a window of its own, it could not be cut at the edge
// of the scroll area that hides its anchor.
class ChannelInfoPopover : public QWidget {
    Q_OBJECT
public:
    explicit ChannelInfoPopover(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // Shows the bubble centred under `anchor`.
    void presentBelow(const QWidget* anchor);

signals:
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool isOnBubbleOrAnchor(QPoint globalPosition) const;
    bool isAnchorOrItsAncestor(const QObject* object) const;
    bool isAnchorWhereItWasPresented() const;

    OneLineLabel* label_;
    QPointer<const QWidget> anchor_;
    // The anchor's place on the screen when the bubble was presented.
    QRect anchorPlace_;
};
