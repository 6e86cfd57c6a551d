#include "platform/image_surface.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/toolkit_font.h"

namespace tarvelin {
namespace {

// Products of two coordinate differences of a line far outside the image need more than 64
// bits.
__extension__ typedef unsigned __int128 Wide;

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

// The part of [from, from + count) that lies within [lo, hi), as an int range within it.
bool ClipSpan(int64_t from, int64_t count, int lo, int hi, int& first, int& end) {
  const int64_t f = std::max<int64_t>(from, lo);
  const int64_t e = std::min<int64_t>(from + count, hi);
  if (f >= e) return false;
  first = int(f);
  end = int(e);
  return true;
}

}  // namespace

ImageSurface::ImageSurface()
    : image_(kWidth, kHeight, QImage::Format_RGB32),
      penColor_(clBlack),
      penWidth_(1),
      brushColor_(clBlack),
      fontName_("MS Sans Serif"),
      fontSize_(8),
      fontColor_(clBlack) {
  image_.fill(ToQRgb(clBlack));
}

void ImageSurface::SelectClipRegion(const Region& region) {
  restriction_ = Intersect(region.rect(), kUnrestricted);
}

void ImageSurface::RestrictTo(const Rect& rect) {
  const Region region(rect);
  SelectClipRegion(region);
}

void ImageSurface::SetFontName(std::string_view name) {
  if (name == fontName_) return;
  fontName_ = name;
  selectedFont_.reset();
}

void ImageSurface::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  selectedFont_.reset();
}

void ImageSurface::Refresh() {
  selectedFont_.reset();
  fonts_.clear();
}

const ImageSurface::SelectedFont& ImageSurface::Font() {
  if (!selectedFont_) {
    const int pixelSize = PointsToPixels(fontSize_);
    auto found = std::ranges::find_if(fonts_, [&](const SelectedFont& f) {
      return f.pixelSize == pixelSize && f.name == fontName_;
    });
    if (found == fonts_.end()) {
      QFont font = ToolkitFont(fontName_, pixelSize, false);
      fonts_.push_back(SelectedFont{fontName_, pixelSize, font, QFontMetrics(font)});
      found = fonts_.end() - 1;
    }
    selectedFont_ = size_t(found - fonts_.begin());
  }
  return fonts_[*selectedFont_];
}

void ImageSurface::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void ImageSurface::LineTo(int x, int y) {
  DrawLine(penX_, penY_, x, y);
  MoveTo(x, y);
}

// Bresenham's walk along the major axis: at step i the minor coordinate is the one nearest
// the ideal line, a tie taking the diagonal step. Steps run from the start point up to, not
// including, the end point, and only those within the clip on the major axis are walked, so a
// line reaching far outside the image costs no more than its visible part.
void ImageSurface::DrawLine(int x0, int y0, int x1, int y1) {
  const int64_t dx = int64_t(x1) - x0;
  const int64_t dy = int64_t(y1) - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t major0 = xMajor ? x0 : y0;
  const int64_t minor0 = xMajor ? y0 : x0;
  const int64_t majorLength = std::llabs(xMajor ? dx : dy);
  const int64_t minorLength = std::llabs(xMajor ? dy : dx);
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  if (majorLength == 0) return;

  const Rect& clip = restriction_;
  const int majorLo = xMajor ? clip.left : clip.top;
  const int majorHi = xMajor ? clip.right : clip.bottom;
  const int minorLo = xMajor ? clip.top : clip.left;
  const int minorHi = xMajor ? clip.bottom : clip.right;

  // Steps i in [first, end) whose major coordinate major0 + majorStep * i is inside the clip.
  int64_t first, end;
  if (majorStep > 0) {
    first = std::max<int64_t>(0, majorLo - major0);
    end = std::min<int64_t>(majorLength, majorHi - major0);
  } else {
    first = std::max<int64_t>(0, major0 - majorHi + 1);
    end = std::min<int64_t>(majorLength, major0 - majorLo + 1);
  }
  if (first >= end) return;

  // Minor offset at step i: floor((2 i minorLength + majorLength) / (2 majorLength)); error
  // holds the remainder.
  const int64_t twiceMajor = 2 * majorLength;
  const int64_t twiceMinor = 2 * minorLength;
  int64_t offset = 0;
  int64_t error = majorLength;
  if (first > 0) {
    const Wide numerator = Wide(2) * Wide(first) * Wide(minorLength) + Wide(majorLength);
    offset = int64_t(numerator / Wide(twiceMajor));
    error = int64_t(numerator % Wide(twiceMajor));
  }

  const int width = std::max(penWidth_, 1);
  const int64_t spread = width / 2;
  const QRgb pixel = ToQRgb(penColor_);
  uchar* const bits = image_.bits();
  const qsizetype bytesPerLine = image_.bytesPerLine();

  for (int64_t i = first; i < end; ++i) {
    const int major = int(major0 + majorStep * i);
    const int64_t minor = minor0 + minorStep * offset;
    int spanFirst, spanEnd;
    if (ClipSpan(minor - spread, width, minorLo, minorHi, spanFirst, spanEnd)) {
      if (xMajor) {
        for (int row = spanFirst; row < spanEnd; ++row) {
          reinterpret_cast<QRgb*>(bits + row * bytesPerLine)[major] = pixel;
        }
      } else {
        std::fill(reinterpret_cast<QRgb*>(bits + major * bytesPerLine) + spanFirst,
                  reinterpret_cast<QRgb*>(bits + major * bytesPerLine) + spanEnd, pixel);
      }
    }
    error += twiceMinor;
    if (error >= twiceMajor) {
      error -= twiceMajor;
      ++offset;
    }
  }
}

void ImageSurface::Fill(Rect rect, Color color) {
  rect = Intersect(rect, restriction_);
  const QRgb pixel = ToQRgb(color);
  for (int row = rect.top; row < rect.bottom; ++row) {
    QRgb* line = reinterpret_cast<QRgb*>(image_.scanLine(row));
    std::fill(line + rect.left, line + rect.right, pixel);
  }
}

void ImageSurface::FillRect(const Rect& rect) { Fill(rect, brushColor_); }

// The text's cell (advance width x font height, top-left at the point) is filled with the
// brush, then the glyphs are drawn within it.
void ImageSurface::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const SelectedFont& font = Font();
  const QString string = QString::fromLatin1(text.data(), qsizetype(text.size()));
  const int64_t right = int64_t(x) + font.metrics.horizontalAdvance(string);
  const int64_t bottom = int64_t(y) + font.metrics.height();
  const Rect cell = Intersect(
      Rect{x, y, int(std::min<int64_t>(right, kWidth)), int(std::min<int64_t>(bottom, kHeight))},
      restriction_);
  if (cell.left >= cell.right || cell.top >= cell.bottom) return;
  Fill(cell, brushColor_);

  QPainter painter(&image_);
  painter.setClipRect(QRect(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top));
  painter.setFont(font.font);
  painter.setPen(QColor::fromRgb(ToQRgb(fontColor_)));
  painter.drawText(x, y + font.metrics.ascent(), string);
}

}  // namespace tarvelin
