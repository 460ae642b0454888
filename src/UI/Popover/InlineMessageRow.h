#pragma once

#include <QColor>
#include <QWidget>

class Dot;
class WrappingLabel;

// A message of the dashboard on a rounded row: a dot in the accent colour
// beside the first line of a text that wraps onto as many lines as it needs.
class InlineMessageRow : public QWidget {
    Q_OBJECT
public:
    InlineMessageRow(const QString& text, const QColor& accentColor, QWidget* parent = nullptr);

    QString text() const;
    QColor accentColor() const;
    void setMessage(const QString& text, const QColor& accentColor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Dot* dot_;
    WrappingLabel* text_;
};
