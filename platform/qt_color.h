#pragma once
// Conversion of 0x00BBGGRR colours to Qt's colour types.
#include <QColor>

#include "platform/colors.h"

namespace tarvelin {

inline QColor ToQColor(Color c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

inline Color FromQColor(const QColor& q) {
  return static_cast<Color>(q.red()) | (static_cast<Color>(q.green()) << 8) |
         (static_cast<Color>(q.blue()) << 16);
}

}  // namespace tarvelin
