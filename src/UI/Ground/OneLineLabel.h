#pragma once

#include "UI/Ground/OneLineTextFit.h"

#include <QColor>
#include <QWidget>

// A line of plain text that never wraps: when it is too wide it shrinks to its
// minimum scale, then is cut with an ellipsis. Vertically centred. It draws
// the text's one-line display form (OneLineDisplayForm) in a direction isolate
// of its own; `text()` stays the text as given.
class OneLineLabel : public QWidget {
    Q_OBJECT
public:
    OneLineLabel(const QString& text, const QFont& font, const QColor& color,
                 QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

    const QFont& textFont() const { return style_.font; }
    void setTextFont(const QFont& font);

    void setMinimumScale(double scale);
    void setElideMode(Qt::TextElideMode mode);
    void setMonospacedDigits(bool monospaced);
    // Draws the text as one the application composed round a localized value
    // (OneLineDisplayForm::ofComposed), rather than as one from the air.
    void setComposedText(bool composed);
    // Qt::AlignLeft (the default) or Qt::AlignRight.
    void setHorizontalAlignment(Qt::Alignment alignment);

    // The display form and size as drawn at the current width.
    OneLineTextFit currentFit() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changed();

    QString text_;
    QString shownText_;
    QColor color_;
    OneLineTextStyle style_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool isComposed_ = false;
};
