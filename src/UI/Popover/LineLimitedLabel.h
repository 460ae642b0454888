#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class QTextLayout;

// Plain text that wraps at word boundaries onto at most `maximumLines` lines;
// a text that needs more is cut at the end of the last line with an
// ellipsis. Its height follows its width.
class LineLimitedLabel : public QWidget {
    Q_OBJECT
public:
    LineLimitedLabel(const QString& text, const QFont& font, const QColor& color, int maximumLines,
                     QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // The lines as drawn at `width`, the last one cut when the text is longer.
    QStringList shownLines(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
    QColor color_;
    int maximumLines_;
};
