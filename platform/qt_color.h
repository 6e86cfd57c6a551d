#pragma once
// Conversion of 0x00BBGGRR colours to Qt's colour types.
#include <QColor>
#include <QRgb>

#include "platform/colors.h"

namespace tarvelin {

// 0x00BBGGRR (red in the low byte) as an opaque Qt pixel value.
constexpr QRgb ToQRgb(Color c) {
  return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline QColor ToQColor(Color c) { return QColor::fromRgb(ToQRgb(c)); }

inline Color FromQRgb(QRgb p) {
  return static_cast<Color>(qRed(p)) | (static_cast<Color>(qGreen(p)) << 8) |
         (static_cast<Color>(qBlue(p)) << 16);
}

inline Color FromQColor(const QColor& q) { return FromQRgb(q.rgb()); }

}  // namespace tarvelin
