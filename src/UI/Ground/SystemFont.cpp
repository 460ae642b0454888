#include "UI/Ground/SystemFont.h"

#include "UI/Ground/FontFaces.h"

namespace {

QFont faceAt(const QString& family, int pointSize, QFont::Weight weight) {
    FontFaces::warnOnceIfMissing();
    QFont font(family);
    font.setPixelSize(pointSize);
    font.setWeight(weight);
    return font;
}

} // namespace

namespace SystemFont {

QFont font(int pointSize, QFont::Weight weight) {
    return faceAt(FontFaces::interfaceFamily, pointSize, weight);
}

QFont monospaced(int pointSize, QFont::Weight weight) {
    return faceAt(FontFaces::monospacedFamily, pointSize, weight);
}

QFont caption() {
    return font(10);
}

} // namespace SystemFont
