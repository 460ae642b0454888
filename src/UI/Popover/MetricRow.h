#pragma once

#include <QWidget>

class OneLineLabel;

// A metric's title at the leading edge and its value, already formatted, flush
// right in monospaced digits.
class MetricRow : public QWidget {
    Q_OBJECT
public:
    MetricRow(const QString& title, const QString& value, QWidget* parent = nullptr);

    QString title() const;
    QString value() const;
    void setTitle(const QString& title);
    void setValue(const QString& value);

private:
    OneLineLabel* title_;
    OneLineLabel* value_;
};
