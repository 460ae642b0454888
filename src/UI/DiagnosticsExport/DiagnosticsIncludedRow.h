#pragma once

#include <QWidget>

class OneLineLabel;

// One line of the "Included" list: a green seal and the text.
class DiagnosticsIncludedRow : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsIncludedRow(const QString& text, QWidget* parent = nullptr);

    const QString& text() const;

private:
    OneLineLabel* label_;
};
