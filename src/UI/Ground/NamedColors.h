#pragma once

#include <QColor>

// The platform's named colours. The popover and the tool windows are always
// dark; the light shades serve the settings window in a light desktop.
namespace NamedColors {

inline const QColor green{0x30, 0xD1, 0x58};
inline const QColor orange{0xFF, 0x9F, 0x0A};
inline const QColor red{0xFF, 0x45, 0x3A};
inline const QColor yellow{0xFF, 0xD6, 0x0A};
inline const QColor gray{0x8E, 0x8E, 0x93};
inline const QColor blue{0x0A, 0x84, 0xFF};
inline const QColor accent = blue;
inline const QColor white{0xFF, 0xFF, 0xFF};

namespace Light {

inline const QColor green{0x34, 0xC7, 0x59};
inline const QColor orange{0xFF, 0x95, 0x00};
inline const QColor red{0xFF, 0x3B, 0x30};
inline const QColor yellow{0xFF, 0xCC, 0x00};
inline const QColor gray{0x8E, 0x8E, 0x93};
inline const QColor blue{0x00, 0x7A, 0xFF};
inline const QColor accent = blue;

} // namespace Light

} // namespace NamedColors
