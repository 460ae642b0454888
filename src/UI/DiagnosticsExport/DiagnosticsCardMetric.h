#pragma once

#include <QWidget>

class OneLineLabel;

// One row of the share card: the title, and at the trailing edge the value in
// monospaced digits, on one line, shrinking to 0.8 of its size before it is cut.
class DiagnosticsCardMetric : public QWidget {
    Q_OBJECT
public:
    DiagnosticsCardMetric(const QString& title, const QString& value, QWidget* parent = nullptr);

    void setContent(const QString& title, const QString& value);
    OneLineLabel* titleLabel() const { return title_; }
    OneLineLabel* valueLabel() const { return value_; }

private:
    OneLineLabel* title_;
    OneLineLabel* value_;
};
