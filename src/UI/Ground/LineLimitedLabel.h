#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class QTextLayout;

// Plain text that wraps onto at most a given number of lines; text that needs
// more is cut at the end of the last line with an ellipsis. Optionally the
// user can select it with the mouse (a double click selects all) and copy the
// selection (the standard copy keys or the context menu); a selection that
// reaches the ellipsis copies the whole rest of the text, so the full text can
// always be copied. Its height follows its width.
class LineLimitedLabel : public QWidget {
    Q_OBJECT
public:
    LineLimitedLabel(const QString& text, const QFont& font, const QColor& color,
                     int maximumLineCount, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    int maximumLineCount() const { return maximumLineCount_; }

    bool isTextSelectable() const { return isTextSelectable_; }
    void setTextSelectable(bool selectable);

    // The lines as drawn at `width`.
    QStringList displayedLines(int width) const;
    // Whether the text is cut at `width`.
    bool isCut(int width) const;

    bool hasSelection() const { return selectionStart_ != selectionEnd_; }
    // The selected part of the full text.
    QString selectedText() const;
    void selectAll();
    void clearSelection();
    // Puts the selected text on the clipboard; nothing without a selection.
    void copy() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The text as drawn at one width: the full text, or the lines before the
    // last, a forced break and as much of the rest as fits beside an ellipsis.
    struct Shown {
        QString text;
        bool isCut = false;
        int headLength = 0;    // full-text characters on the lines before the last
        bool hasBreak = false; // a line break was put after the head
        int keptLength = 0;    // full-text characters shown in all
        int displayedLength() const { return static_cast<int>(text.size()); }
    };

    Shown shown(double width) const;
    double layOut(QTextLayout& layout, const QString& text, double width) const;
    int toFullIndex(const Shown& shown, int displayIndex) const;
    int toDisplayIndex(const Shown& shown, int fullIndex) const;
    // The full-text position under `point`.
    int positionAt(const QPointF& point) const;

    QString text_;
    QFont font_;
    QColor color_;
    int maximumLineCount_;
    bool isTextSelectable_ = false;
    int selectionStart_ = 0; // where the selection was started, in the full text
    int selectionEnd_ = 0;   // where it was extended to
};
