#pragma once

#include <QWidget>

class OneLineLabel;

// One stage of the progress list: a green check mark and a bright title once
// the stage is finished, an empty circle and a dimmer title before.
class DiagnosticsStageRow : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsStageRow(const QString& title, QWidget* parent = nullptr);

    bool isFinished() const { return isFinished_; }
    void setFinished(bool finished);
    OneLineLabel* titleLabel() const { return title_; }

private:
    class Mark;

    bool isFinished_ = false;
    Mark* mark_;
    OneLineLabel* title_;
};
