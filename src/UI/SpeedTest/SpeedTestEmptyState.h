#pragma once

#include <QWidget>

class WrappingLabel;

// Before any result: "No speed test results yet" over the line that says what
// a test measures, both centred; the line wraps with the window's width.
class SpeedTestEmptyState : public QWidget {
    Q_OBJECT
public:
    explicit SpeedTestEmptyState(QWidget* parent = nullptr);
};
