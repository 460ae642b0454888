#pragma once

#include "UI/Ground/Spring.h"

#include <QPixmap>
#include <QWidget>

class SpringTransition;

// A picture of the panel as it was before a change of panel, laid over the
// whole panel and faded out along a spring, so that the old panel
// cross-fades into the new one beneath it. It takes no mouse events and is
// hidden, holding no picture, whenever no fade runs.
class PanelCrossFade : public QWidget {
    Q_OBJECT
public:
    explicit PanelCrossFade(QWidget* panel);

    void start(QPixmap before, const Spring& spring);
    // Shows the new panel at once.
    void finish();
    bool isRunning() const { return !before_.isNull(); }
    // How much of the old panel still shows: 1 at the start, 0 at the end.
    double opacity() const { return opacity_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SpringTransition* transition_;
    QPixmap before_;
    double opacity_ = 0;
};
