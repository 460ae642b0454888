#pragma once

#include <QWidget>

class OneLineLabel;
class ProgressCapsule;

// While a test runs: the status line and the percentage, centred, over a bar
// of the progress at most 460 wide.
class SpeedTestProgressPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int maximumBarWidth = 460;

    explicit SpeedTestProgressPanel(QWidget* parent = nullptr);

    void setContent(const QString& statusText, const QString& percentText, double progress);

    OneLineLabel* statusLabel() const { return status_; }
    OneLineLabel* percentLabel() const { return percent_; }
    ProgressCapsule* bar() const { return bar_; }

private:
    OneLineLabel* status_;
    OneLineLabel* percent_;
    ProgressCapsule* bar_;
};
