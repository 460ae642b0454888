#include "UI/DiagnosticsExport/DiagnosticsExportReportPanel.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/DiagnosticsExport/DiagnosticsExportPanelBox.h"
#include "UI/DiagnosticsExport/DiagnosticsExportSymbolButton.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QString scrollBarStyle() {
    return QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 70);"
        " border-radius: 2px; min-height: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
}

} // namespace

DiagnosticsExportReportPanel::DiagnosticsExportReportPanel(std::function<void()> onCopy,
                                                           std::function<void()> onShare,
                                                           QWidget* parent)
    : QWidget(parent), copyButton_(makeIconButton(copySymbolName(), QStringLiteral("Copy report"),
                                                  std::move(onCopy))),
      shareButton_(makeIconButton(QStringLiteral("square.and.arrow.up"),
                                  QStringLiteral("Share report"), std::move(onShare))) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(10);
    auto* title = new OneLineLabel(QStringLiteral("Export Payload (JSON)"),
                                   SystemFont::font(12, QFont::DemiBold),
                                   DiagnosticsExportTheme::secondaryText());
    title->setMinimumHeight(24);
    titleRow->addWidget(title);
    titleRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(copyButton_);
    buttons->addWidget(shareButton_);
    titleRow->addLayout(buttons);
    layout->addLayout(titleRow);
    layout->addWidget(makeTextBox(), 1);
    textView_->setAccessibleName(title->text());
}

QString DiagnosticsExportReportPanel::copySymbolName() {
    const QString preferred = QStringLiteral("square.on.square");
    return SymbolImage::named(preferred, 13) ? preferred : QStringLiteral("doc.on.doc");
}

DiagnosticsExportSymbolButton*
DiagnosticsExportReportPanel::makeIconButton(const QString& symbolName, const QString& helpText,
                                             std::function<void()> action) {
    auto* button = new DiagnosticsExportSymbolButton(symbolName, 13);
    button->setFixedSize(28, 24);
    button->setCornerRadius(7);
    button->setToolTip(helpText);
    button->setAccessibleName(helpText);
    connect(button, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
    return button;
}

QWidget* DiagnosticsExportReportPanel::makeTextBox() {
    auto* box = new DiagnosticsExportPanelBox;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(1, 1, 1, 1);
    textView_ = new QPlainTextEdit;
    textView_->setReadOnly(true);
    textView_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textView_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    textView_->setFrameShape(QFrame::NoFrame);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textView_->setFont(SystemFont::monospaced(12));
    textView_->document()->setDocumentMargin(11);
    textView_->verticalScrollBar()->setStyleSheet(scrollBarStyle());
    QPalette palette = textView_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, DiagnosticsExportTheme::primaryText());
    palette.setColor(QPalette::Highlight, DiagnosticsExportTheme::panelBorder());
    palette.setColor(QPalette::HighlightedText, DiagnosticsExportTheme::primaryText());
    textView_->setPalette(palette);
    textView_->viewport()->setAutoFillBackground(false);
    layout->addWidget(textView_);
    return box;
}

// Compared with the text last set, not with the box's text: the box turns
// U+00A0, U+2028 and U+2029 into other characters, and a reload would scroll
// to the top and drop the selection.
void DiagnosticsExportReportPanel::setReportJSONString(const QString& json) {
    if (json != reportJSONString_) {
        reportJSONString_ = json;
        textView_->setPlainText(json);
    }
}
