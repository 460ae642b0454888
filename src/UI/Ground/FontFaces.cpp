#include "UI/Ground/FontFaces.h"

#include "Platform/Symbols/SymbolImage.h"

#include <array>
#include <mutex>

#include <QFontInfo>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(fontsLog, "pelmor.ui.fonts")

struct RequiredFace {
    QString family;
    QFont::Weight weight;
    const char* package;
};

bool resolvesToItself(const RequiredFace& face) {
    QFont font(face.family);
    font.setWeight(face.weight);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontInfo info(font);
    return info.family().compare(face.family, Qt::CaseInsensitive) == 0 &&
           info.weight() == face.weight;
}

QString weightName(QFont::Weight weight) {
    switch (weight) {
    case QFont::Medium:
        return QStringLiteral("Medium");
    case QFont::DemiBold:
        return QStringLiteral("SemiBold");
    case QFont::Bold:
        return QStringLiteral("Bold");
    default:
        return QStringLiteral("Regular");
    }
}

} // namespace

namespace FontFaces {

QStringList missingFaces() {
    const std::array faces{
        RequiredFace{interfaceFamily, QFont::Normal, "fonts-inter"},
        RequiredFace{interfaceFamily, QFont::Medium, "fonts-inter"},
        RequiredFace{interfaceFamily, QFont::DemiBold, "fonts-inter"},
        RequiredFace{interfaceFamily, QFont::Bold, "fonts-inter"},
        RequiredFace{monospacedFamily, QFont::Normal, "fonts-jetbrains-mono"},
        RequiredFace{SymbolImage::fontFamily, QFont::Normal,
                     "fonts-material-design-icons-iconfont"},
    };
    QStringList missing;
    for (const RequiredFace& face : faces) {
        if (!resolvesToItself(face)) {
            missing.append(
                QStringLiteral("%1 %2 (package %3)")
                    .arg(face.family, weightName(face.weight), QString::fromLatin1(face.package)));
        }
    }
    return missing;
}

void warnOnceIfMissing() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList missing = missingFaces();
        if (!missing.isEmpty()) {
            qCWarning(fontsLog).noquote()
                << "Missing font faces, views fall back to substitutes:" << missing.join(u", ");
        }
    });
}

} // namespace FontFaces
