#include "UI/Ground/SectionLabel.h"

#include "UI/Ground/PopoverTheme.h"

namespace {

QFont trackedSectionFont() {
    QFont font = PopoverTheme::sectionLabelFont();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    return font;
}

} // namespace

SectionLabel::SectionLabel(const QString& text, QWidget* parent)
    : OneLineLabel(text, trackedSectionFont(), PopoverTheme::mutedText(), parent) {}
