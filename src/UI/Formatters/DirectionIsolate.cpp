#include "UI/Formatters/DirectionIsolate.h"

namespace DirectionIsolate {

QString firstStrong(const QString& text) {
    return u'\u2068' + text + u'\u2069';
}

} // namespace DirectionIsolate
