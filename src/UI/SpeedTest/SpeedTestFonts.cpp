#include "UI/SpeedTest/SpeedTestFonts.h"

#include "UI/Ground/SystemFont.h"

namespace SpeedTestFonts {

QFont font(int pointSize, QFont::Weight weight) {
    return SystemFont::font(pointSize, weight);
}

QFont rounded(int pointSize, QFont::Weight weight) {
    return SystemFont::font(pointSize, weight);
}

QFont panelTitle() {
    QFont title = SystemFont::font(11, QFont::DemiBold);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    return title;
}

} // namespace SpeedTestFonts
