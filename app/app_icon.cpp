#include "app/app_icon.h"

#include <array>

namespace tarvelin {

namespace {

constexpr int kSize = 32;

struct Trace {
  QRgb color;
  std::array<int, 5> rows;  // y at x = 2, 9, 16, 23, 29: rising left to right
};

void DrawSegment(QImage& image, int x0, int y0, int x1, int y1, QRgb color) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = x0 + (x1 - x0) * i / std::max(steps, 1);
    const int y = y0 + (y1 - y0) * i / std::max(steps, 1);
    image.setPixel(x, y, color);
  }
}

}  // namespace

QImage ApplicationIcon() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(qRgb(255, 255, 255));
  const QRgb grey = qRgb(128, 128, 128), black = qRgb(0, 0, 0);
  for (int y = 6; y < kSize - 1; y += 6)
    for (int x = 1; x < kSize - 1; x += 2) image.setPixel(x, y, grey);
  for (int x = 6; x < kSize - 1; x += 6)
    for (int y = 1; y < kSize - 1; y += 2) image.setPixel(x, y, grey);
  const std::array<Trace, 3> traces{{
      {qRgb(255, 0, 0), {26, 22, 17, 11, 4}},
      {qRgb(0, 0, 255), {28, 25, 20, 16, 9}},
      {qRgb(0, 128, 0), {29, 27, 24, 20, 14}},
  }};
  const std::array<int, 5> columns{2, 9, 16, 23, 29};
  for (const Trace& trace : traces)
    for (size_t i = 1; i < columns.size(); ++i)
      DrawSegment(image, columns[i - 1], trace.rows[i - 1], columns[i], trace.rows[i], trace.color);
  for (int i = 0; i < kSize; ++i) {
    image.setPixel(i, 0, black);
    image.setPixel(i, kSize - 1, black);
    image.setPixel(0, i, black);
    image.setPixel(kSize - 1, i, black);
  }
  return image;
}

}  // namespace tarvelin
