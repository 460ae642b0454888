#pragma once

#include "UI/Popover/ToolboxActions.h"

#include <functional>
#include <vector>

#include <QString>

// One row of the toolbox: a tool's symbol, title, description and the
// callback that opens it.
struct ToolboxTool {
    QString symbolName;
    QString title;
    QString subtitle;
    std::function<void()> action;

    // The six tools in display order, each wired to its own callback of
    // `actions` (the display order differs from the callbacks' order).
    static std::vector<ToolboxTool> all(const ToolboxActions& actions);
};
