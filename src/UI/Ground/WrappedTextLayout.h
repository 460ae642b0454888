#pragma once

#include <QFont>
#include <QString>

class QTextLayout;

// Lays `text` out in `layout` in lines of `width`, wrapping at word
// boundaries, or anywhere inside a word too long for a line; the height of
// the lines. `alignment` places each line within `width` when it is drawn.
double layOutWrappedText(QTextLayout& layout, const QString& text, const QFont& font, double width,
                         Qt::Alignment alignment = Qt::AlignLeading);
