#pragma once

#include <QWidget>

class OneLineLabel;

// The small pop-up under the channel information button: the channel details
// in the caption font, 8 pt of padding all round. A click anywhere else closes
// it; the click that does so goes nowhere else.
class ChannelInfoPopover : public QWidget {
    Q_OBJECT
public:
    explicit ChannelInfoPopover(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // Shows the pop-up centred under `anchor`.
    void presentBelow(const QWidget* anchor);

signals:
    void dismissed();

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    OneLineLabel* label_;
};
