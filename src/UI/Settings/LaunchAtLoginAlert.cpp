#include "UI/Settings/LaunchAtLoginAlert.h"

#include "UI/Ground/SystemFont.h"
#include "UI/Settings/SettingsBorderedButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int messageWidth = 320;

QLabel* plainLabel(const QString& text, const QFont& font) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}

} // namespace

LaunchAtLoginAlert::LaunchAtLoginAlert(QWidget* parent)
    : QDialog(parent), title_(plainLabel(title, SystemFont::font(13, QFont::Bold))),
      message_(plainLabel(QString(), SystemFont::font(12))),
      ok_(new SettingsBorderedButton(QStringLiteral("OK"))) {
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    message_->setFixedWidth(messageWidth);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ok_->setAutoDefault(true);
    ok_->setDefault(true);
    ok_->setMinimumWidth(80);
    // The button has the cancel role: it dismisses and does nothing else.
    connect(ok_, &QAbstractButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(8);
    layout->addWidget(title_);
    layout->addWidget(message_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LaunchAtLoginAlert::present(const QString& message) {
    message_->setText(message);
    if (!isVisible()) {
        open();
    }
}

QString LaunchAtLoginAlert::message() const {
    return message_->text();
}
