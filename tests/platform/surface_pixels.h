#pragma once
// Reading a surface's image back as sets of pixels.
#include <QImage>
#include <set>
#include <utility>

#include "platform/image_surface.h"

namespace tarvelin::surface_test {

using Pixel = std::pair<int, int>;  // x, y
using PixelSet = std::set<Pixel>;

// Every pixel of `image` that is not `background`.
inline PixelSet PaintedPixels(const QImage& image, Color background = clBlack) {
  PixelSet painted;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != ToQRgb(background)) painted.insert({x, y});
    }
  }
  return painted;
}

// The smallest rectangle around `pixels`; right and bottom exclusive.
inline Rect Bounds(const PixelSet& pixels) {
  if (pixels.empty()) return {};
  Rect r{pixels.begin()->first, pixels.begin()->second, pixels.begin()->first,
         pixels.begin()->second};
  for (auto [x, y] : pixels) {
    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
         std::max(r.bottom, y + 1)};
  }
  return r;
}

}  // namespace tarvelin::surface_test
