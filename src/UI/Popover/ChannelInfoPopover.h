#pragma once

#include <QPointer>
#include <QWidget>

class OneLineLabel;

// The small bubble under the channel information button: the channel details
// in the caption font, 8 pt of padding all round. A press anywhere else in the
// application closes it and still does what it does there (the bubble holds
// no grab); a press on its anchor is left to the anchor, which toggles it.
// Escape closes the bubble alone.
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

private:
    bool isOnBubbleOrAnchor(QPoint globalPosition) const;

    OneLineLabel* label_;
    QPointer<const QWidget> anchor_;
};
