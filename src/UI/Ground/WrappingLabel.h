#pragma once

#include <optional>
#include <utility>

#include <QColor>
#include <QFont>
#include <QWidget>

class QTextLayout;

// Plain text that wraps onto as many lines as it needs and is never cut: lines
// break between words, and inside a word only when the word alone is wider
// than the label. Lines start at the leading edge unless another alignment is
// set. Its height follows its width.
class WrappingLabel : public QWidget {
    Q_OBJECT
public:
    WrappingLabel(const QString& text, const QFont& font, const QColor& color,
                  QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    Qt::Alignment alignment() const { return alignment_; }
    // `Qt::AlignHCenter` centres every line in the label's width.
    void setAlignment(Qt::Alignment alignment);

    // The number of lines the text takes at `width`.
    int lineCount(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in lines of `width`; returns the height it takes.
    double layOut(QTextLayout& layout, double width) const;
    void forgetMeasurements();

    QString text_;
    QFont font_;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignLeading;
    // The last height asked for (width, height) and the size hint.
    mutable std::optional<std::pair<int, int>> measuredHeight_;
    mutable std::optional<QSize> measuredSizeHint_;
};
