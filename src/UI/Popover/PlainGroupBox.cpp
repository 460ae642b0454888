#include "UI/Popover/PlainGroupBox.h"

#include "UI/Ground/SectionLabel.h"

#include <QVBoxLayout>

PlainGroupBox::PlainGroupBox(const std::optional<QString>& title, QWidget* content, QWidget* parent)
    : QWidget(parent), content_(content) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (title) {
        title_ = new SectionLabel(*title, this);
        layout->addWidget(title_);
    }
    layout->addWidget(content_);
}
