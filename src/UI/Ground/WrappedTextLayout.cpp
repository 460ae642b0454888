#include "UI/Ground/WrappedTextLayout.h"

#include <QTextLayout>
#include <QTextOption>

double layOutWrappedText(QTextLayout& layout, const QString& text, const QFont& font, double width,
                         Qt::Alignment alignment) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment);
    layout.setText(text);
    layout.setTextOption(option);
    layout.setFont(font);
    double y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}
