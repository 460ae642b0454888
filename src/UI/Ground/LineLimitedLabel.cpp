#include "UI/Ground/LineLimitedLabel.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Ground/WrappedTextLayout.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace {

const QChar ellipsis(0x2026);
// Wider than any window, so that the preferred size is the text on one line.
constexpr double unboundedWidth = 100000;

QString withLineSeparators(QString text) {
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

// The longest start of `text` that fits `width` when followed by the ellipsis,
// never ending inside a surrogate pair, without trailing white space.
QString fittingStart(const QString& text, const QFont& font, double width) {
    const QFontMetricsF metrics(font);
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle) + ellipsis) <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate()) {
        --low;
    }
    QString start = text.left(low);
    while (!start.isEmpty() && start.back().isSpace()) {
        start.chop(1);
    }
    return start;
}

} // namespace

LineLimitedLabel::LineLimitedLabel(const QString& text, const QFont& font, const QColor& color,
                                   int maximumLineCount, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color),
      maximumLineCount_(std::max(1, maximumLineCount)) {
    AccessibleRole::set(*this, QAccessible::StaticText);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(text_);
}

void LineLimitedLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    clearSelection();
    setAccessibleName(text_);
    updateGeometry();
    update();
}

void LineLimitedLabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void LineLimitedLabel::setTextSelectable(bool selectable) {
    isTextSelectable_ = selectable;
    setFocusPolicy(selectable ? Qt::ClickFocus : Qt::NoFocus);
    setCursor(selectable ? Qt::IBeamCursor : Qt::ArrowCursor);
    if (!selectable) {
        clearSelection();
    }
}

double LineLimitedLabel::layOut(QTextLayout& layout, const QString& text, double width) const {
    return layOutWrappedText(layout, text, font_, width);
}

LineLimitedLabel::Shown LineLimitedLabel::shown(double width) const {
    const QString full = withLineSeparators(text_);
    QTextLayout layout;
    layOut(layout, full, width);
    if (layout.lineCount() <= maximumLineCount_) {
        return {.text = full,
                .isCut = false,
                .headLength = static_cast<int>(full.size()),
                .hasBreak = false,
                .keptLength = static_cast<int>(full.size())};
    }
    const int head = layout.lineAt(maximumLineCount_ - 1).textStart();
    QString rest = full.mid(head);
    if (const qsizetype lineEnd = rest.indexOf(QChar::LineSeparator); lineEnd >= 0) {
        rest.truncate(lineEnd);
    }
    const QString kept = fittingStart(rest, font_, width);
    // The lines before the last keep their breaks only when the last line
    // starts on a line of its own, whatever the shortened rest would allow.
    const bool hasBreak = head > 0 && full.at(head - 1) != QChar::LineSeparator;
    QString text = full.left(head);
    if (hasBreak) {
        text += QChar::LineSeparator;
    }
    text += kept + ellipsis;
    return {.text = text,
            .isCut = true,
            .headLength = head,
            .hasBreak = hasBreak,
            .keptLength = head + static_cast<int>(kept.size())};
}

int LineLimitedLabel::toFullIndex(const Shown& shown, int displayIndex) const {
    if (!shown.isCut || displayIndex <= shown.headLength) {
        return displayIndex;
    }
    const int inLastLine = displayIndex - shown.headLength - (shown.hasBreak ? 1 : 0);
    if (inLastLine < 0) {
        return shown.headLength;
    }
    const int keptInLastLine = shown.keptLength - shown.headLength;
    return inLastLine <= keptInLastLine ? shown.headLength + inLastLine
                                        : static_cast<int>(text_.size());
}

int LineLimitedLabel::toDisplayIndex(const Shown& shown, int fullIndex) const {
    if (!shown.isCut || fullIndex <= shown.headLength) {
        return fullIndex;
    }
    if (fullIndex <= shown.keptLength) {
        return fullIndex + (shown.hasBreak ? 1 : 0);
    }
    return shown.displayedLength();
}

QStringList LineLimitedLabel::displayedLines(int width) const {
    const Shown text = shown(width);
    QTextLayout layout;
    layOut(layout, text.text, width);
    QStringList lines;
    for (int index = 0; index < layout.lineCount(); ++index) {
        const QTextLine line = layout.lineAt(index);
        QString part = text.text.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        lines.append(part.trimmed());
    }
    return lines;
}

bool LineLimitedLabel::isCut(int width) const {
    return shown(width).isCut;
}

QString LineLimitedLabel::selectedText() const {
    const int start = std::min(selectionStart_, selectionEnd_);
    const int end = std::max(selectionStart_, selectionEnd_);
    return text_.mid(start, end - start);
}

void LineLimitedLabel::selectAll() {
    selectionStart_ = 0;
    selectionEnd_ = static_cast<int>(text_.size());
    update();
}

void LineLimitedLabel::clearSelection() {
    selectionStart_ = 0;
    selectionEnd_ = 0;
    update();
}

void LineLimitedLabel::copy() const {
    if (hasSelection()) {
        QApplication::clipboard()->setText(selectedText());
    }
}

int LineLimitedLabel::heightForWidth(int width) const {
    QTextLayout layout;
    const double height = layOut(layout, shown(std::max(1, width)).text, std::max(1, width));
    return std::max(static_cast<int>(std::ceil(height)), minimumSizeHint().height());
}

QSize LineLimitedLabel::sizeHint() const {
    QTextLayout layout;
    layOut(layout, withLineSeparators(text_), unboundedWidth);
    double width = 0;
    for (int index = 0; index < layout.lineCount(); ++index) {
        width = std::max(width, layout.lineAt(index).naturalTextWidth());
    }
    return {static_cast<int>(std::ceil(width)), heightForWidth(unboundedWidth)};
}

QSize LineLimitedLabel::minimumSizeHint() const {
    return {0, static_cast<int>(std::ceil(QFontMetricsF(font_).height()))};
}

int LineLimitedLabel::positionAt(const QPointF& point) const {
    const Shown text = shown(width());
    QTextLayout layout;
    layOut(layout, text.text, width());
    if (layout.lineCount() == 0) {
        return 0;
    }
    QTextLine line = layout.lineAt(layout.lineCount() - 1);
    for (int index = 0; index < layout.lineCount(); ++index) {
        if (point.y() < layout.lineAt(index).rect().bottom()) {
            line = layout.lineAt(index);
            break;
        }
    }
    return toFullIndex(text, line.xToCursor(point.x()));
}

void LineLimitedLabel::paintEvent(QPaintEvent* /*event*/) {
    const Shown text = shown(width());
    QTextLayout layout;
    layOut(layout, text.text, width());
    QList<QTextLayout::FormatRange> selections;
    if (hasSelection()) {
        const int start = toDisplayIndex(text, std::min(selectionStart_, selectionEnd_));
        const int end = toDisplayIndex(text, std::max(selectionStart_, selectionEnd_));
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = end - start;
        range.format.setBackground(palette().color(QPalette::Highlight));
        range.format.setForeground(palette().color(QPalette::HighlightedText));
        selections.append(range);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(color_);
    layout.draw(&painter, QPointF(0, 0), selections);
}

void LineLimitedLabel::mousePressEvent(QMouseEvent* event) {
    if (!isTextSelectable_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    selectionStart_ = positionAt(event->position());
    selectionEnd_ = selectionStart_;
    update();
}

void LineLimitedLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!isTextSelectable_ || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    selectionEnd_ = positionAt(event->position());
    update();
}

void LineLimitedLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isTextSelectable_ || event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    selectAll();
}

void LineLimitedLabel::keyPressEvent(QKeyEvent* event) {
    if (isTextSelectable_ && event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (isTextSelectable_ && event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LineLimitedLabel::contextMenuEvent(QContextMenuEvent* event) {
    if (!isTextSelectable_) {
        QWidget::contextMenuEvent(event);
        return;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copyAction = menu->addAction(QStringLiteral("Copy"), this, &LineLimitedLabel::copy);
    copyAction->setEnabled(hasSelection());
    menu->addAction(QStringLiteral("Select All"), this, &LineLimitedLabel::selectAll);
    // Shown without a nested event loop; the menu deletes itself when closed.
    menu->popup(event->globalPos());
}

void LineLimitedLabel::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason) {
        clearSelection();
    }
    QWidget::focusOutEvent(event);
}
