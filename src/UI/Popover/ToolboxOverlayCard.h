#pragma once

#include "UI/Popover/ToolboxActions.h"

#include <vector>

#include <QWidget>

class OverlayCardHeader;
class ToolboxToolRow;

// The toolbox panel: its header with Back (to the dashboard) and the six
// tools, each row calling its own callback. No background of its own.
class ToolboxOverlayCard : public QWidget {
    Q_OBJECT
public:
    explicit ToolboxOverlayCard(const ToolboxActions& actions, QWidget* parent = nullptr);

    OverlayCardHeader* header() const { return header_; }
    const std::vector<ToolboxToolRow*>& rows() const { return rows_; }

private:
    OverlayCardHeader* header_;
    std::vector<ToolboxToolRow*> rows_;
};
