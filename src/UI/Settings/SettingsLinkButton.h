#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

class FocusRing;

// A button drawn as a link: its title alone, in the accent colour, with a
// pointing-hand cursor.
class SettingsLinkButton : public QAbstractButton {
    Q_OBJECT
public:
    SettingsLinkButton(const QString& title, const QFont& font, QWidget* parent = nullptr);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont font_;
    QColor color_;
    FocusRing* focusRing_;
};
