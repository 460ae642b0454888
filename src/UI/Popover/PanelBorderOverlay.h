#pragma once

#include <QWidget>

// Drawn over the panel's content: it clears what lies outside the rounded
// corners, so that scrolled content is clipped to the panel's shape, and
// draws the panel's 1 pt border. It covers its parent, follows its size and takes no
// mouse events.
class PanelBorderOverlay : public QWidget {
    Q_OBJECT
public:
    explicit PanelBorderOverlay(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
