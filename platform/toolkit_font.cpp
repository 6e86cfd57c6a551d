#include "platform/toolkit_font.h"

#include <algorithm>
#include <cmath>

namespace tarvelin {
namespace {

// Large enough for any text on an 800 x 600 surface, small enough to keep sizes in range.
constexpr int kMaxPixelHeight = 4096;

struct FaceMapping {
  std::string_view name;
  const char* family;
};

constexpr FaceMapping kFaces[] = {
    {"arial", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
};
constexpr const char* kFallbackFamily = "Liberation Sans";

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

const char* FamilyFor(std::string_view name) {
  for (const FaceMapping& face : kFaces) {
    if (SameNameIgnoringCase(name, face.name)) return face.family;
  }
  return kFallbackFamily;
}

}  // namespace

int PointsToPixels(int points) {
  const long pixels = std::lround(points * 96.0 / 72.0);
  return int(std::clamp(pixels, 1L, long(kMaxPixelHeight)));
}

QFont ToolkitFont(std::string_view name, int pixelHeight, bool bold) {
  QFont font(QString::fromLatin1(FamilyFor(name)));
  font.setPixelSize(std::clamp(pixelHeight, 1, kMaxPixelHeight));
  font.setBold(bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

}  // namespace tarvelin
