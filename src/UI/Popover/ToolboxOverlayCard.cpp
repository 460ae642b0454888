#include "UI/Popover/ToolboxOverlayCard.h"

#include "UI/Ground/SectionLabel.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/ToolboxToolRow.h"

#include <QVBoxLayout>

ToolboxOverlayCard::ToolboxOverlayCard(const ToolboxActions& actions, QWidget* parent)
    : QWidget(parent),
      header_(new OverlayCardHeader(QStringLiteral("Toolbox"),
                                    QStringLiteral("Advanced diagnostics"),
                                    QStringLiteral("Back to Main"), actions.onClose)) {
    auto* tools = new QVBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(8);
    tools->addWidget(new SectionLabel(QStringLiteral("Tools")));
    for (ToolboxTool& tool : ToolboxTool::all(actions)) {
        rows_.push_back(new ToolboxToolRow(std::move(tool)));
        tools->addWidget(rows_.back());
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(header_);
    layout->addLayout(tools);
    layout->addStretch(1);
}
