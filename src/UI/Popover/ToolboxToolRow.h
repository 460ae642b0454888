#pragma once

#include "UI/Popover/ToolboxTool.h"

#include <QAbstractButton>

class FocusRing;

// One tool of the toolbox as a clickable row: its symbol, its title over a
// description that wraps and is never cut, and a chevron, on a rounded
// surface that is the whole hit area.
class ToolboxToolRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToolboxToolRow(ToolboxTool tool, QWidget* parent = nullptr);

    const ToolboxTool& tool() const { return tool_; }
    // The rounded surface, inside the row's 1 pt margins above and below.
    QRectF surfaceRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    ToolboxTool tool_;
    FocusRing* focusRing_;
};
