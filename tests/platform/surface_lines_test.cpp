// Lines as the chart draws them: Bresenham pixels, the end point left unpainted, wide pens,
// and the clip.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ostream>

#include "platform/image_surface.h"
#include "tests/platform/surface_pixels.h"

namespace tarvelin {
namespace {

using surface_test::PaintedPixels;
using surface_test::PixelSet;

struct Line {
  int x0, y0, x1, y1;
};

void PrintTo(const Line& l, std::ostream* os) {
  *os << "(" << l.x0 << "," << l.y0 << ")-(" << l.x1 << "," << l.y1 << ")";
}

// The walk written out directly: at major step i the minor coordinate is the nearest one to
// the ideal line, a tie stepping diagonally; steps stop before the end point.
PixelSet ReferenceLine(const Line& l) {
  const int64_t dx = int64_t(l.x1) - l.x0, dy = int64_t(l.y1) - l.y0;
  const int64_t ax = std::llabs(dx), ay = std::llabs(dy);
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  PixelSet pixels;
  if (ax >= ay) {
    for (int64_t i = 0; i < ax; ++i) {
      pixels.insert({int(l.x0 + sx * i), int(l.y0 + sy * ((2 * i * ay + ax) / (2 * ax)))});
    }
  } else {
    for (int64_t i = 0; i < ay; ++i) {
      pixels.insert({int(l.x0 + sx * ((2 * i * ax + ay) / (2 * ay))), int(l.y0 + sy * i)});
    }
  }
  return pixels;
}

PixelSet Within(const PixelSet& pixels, const Rect& r) {
  PixelSet inside;
  for (auto [x, y] : pixels) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) inside.insert({x, y});
  }
  return inside;
}

PixelSet Draw(const Line& l, int width = 1, const Rect& clip = kUnrestricted) {
  ImageSurface surface;
  surface.RestrictTo(clip);
  surface.SetPenColor(clWhite);
  surface.SetPenWidth(width);
  surface.MoveTo(l.x0, l.y0);
  surface.LineTo(l.x1, l.y1);
  return PaintedPixels(surface.image());
}

class LinePixels : public ::testing::TestWithParam<Line> {};

TEST_P(LinePixels, MatchTheWalkAndLeaveTheEndPointUnpainted) {
  const Line l = GetParam();
  const PixelSet painted = Draw(l);
  EXPECT_EQ(painted, ReferenceLine(l));
  EXPECT_FALSE(painted.contains({l.x1, l.y1}));
  const bool hasLength = l.x0 != l.x1 || l.y0 != l.y1;
  EXPECT_EQ(painted.contains({l.x0, l.y0}), hasLength);
  EXPECT_EQ(painted.size(), size_t(std::max(std::abs(l.x1 - l.x0), std::abs(l.y1 - l.y0))));
}

INSTANTIATE_TEST_SUITE_P(
    AllDirections, LinePixels,
    ::testing::Values(
        // Horizontal, vertical and diagonal, both ways.
        Line{400, 300, 410, 300}, Line{400, 300, 390, 300}, Line{400, 300, 400, 310},
        Line{400, 300, 400, 290}, Line{400, 300, 410, 310}, Line{400, 300, 390, 290},
        Line{400, 300, 410, 290}, Line{400, 300, 390, 310},
        // Shallow and steep in all eight octants.
        Line{400, 300, 410, 303}, Line{400, 300, 390, 297}, Line{400, 300, 410, 297},
        Line{400, 300, 390, 303}, Line{400, 300, 403, 310}, Line{400, 300, 397, 290},
        Line{400, 300, 397, 310}, Line{400, 300, 403, 290},
        // Exact ties, one-pixel steps, a trace's long steep jump, nothing at all.
        Line{10, 10, 12, 11}, Line{12, 11, 10, 10}, Line{20, 20, 21, 22}, Line{21, 22, 20, 20},
        Line{100, 100, 101, 100}, Line{100, 100, 100, 101}, Line{300, 50, 301, 390},
        Line{0, 0, 799, 1}, Line{0, 599, 799, 0}, Line{5, 5, 5, 5}));

TEST(LineWalk, TiesStepDiagonallyFromTheStart) {
  EXPECT_EQ(Draw({10, 10, 12, 11}), (PixelSet{{10, 10}, {11, 11}}));
  EXPECT_EQ(Draw({12, 11, 10, 10}), (PixelSet{{12, 11}, {11, 10}}));
  EXPECT_EQ(Draw({20, 20, 21, 22}), (PixelSet{{20, 20}, {21, 21}}));
}

TEST(LineWalk, PolylineContinuesFromThePenPosition) {
  ImageSurface surface;
  surface.SetPenColor(clWhite);
  surface.MoveTo(10, 10);
  surface.LineTo(13, 10);
  surface.LineTo(13, 12);
  surface.LineTo(11, 12);
  EXPECT_EQ(PaintedPixels(surface.image()),
            (PixelSet{{10, 10}, {11, 10}, {12, 10}, {13, 10}, {13, 11}, {13, 12}, {12, 12}}));
}

struct WideCase {
  Line line;
  int width;
  int firstOffset, lastOffset;  // rows (or columns) painted around each walked point
};

void PrintTo(const WideCase& c, std::ostream* os) {
  PrintTo(c.line, os);
  *os << " width " << c.width;
}

class WidePen : public ::testing::TestWithParam<WideCase> {};

TEST_P(WidePen, PaintsBandAcrossTheWalk) {
  const WideCase c = GetParam();
  const bool horizontal = std::abs(c.line.x1 - c.line.x0) >= std::abs(c.line.y1 - c.line.y0);
  PixelSet expected;
  for (auto [x, y] : ReferenceLine(c.line)) {
    for (int d = c.firstOffset; d <= c.lastOffset; ++d) {
      const int px = horizontal ? x : x + d, py = horizontal ? y + d : y;
      if (px >= 0 && px < 800 && py >= 0 && py < 600) expected.insert({px, py});
    }
  }
  EXPECT_EQ(Draw(c.line, c.width), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, WidePen,
    ::testing::Values(WideCase{{10, 50, 20, 50}, 1, 0, 0}, WideCase{{10, 50, 20, 50}, 2, -1, 0},
                      WideCase{{20, 50, 10, 50}, 2, -1, 0}, WideCase{{10, 50, 20, 50}, 3, -1, 1},
                      WideCase{{10, 50, 20, 50}, 4, -2, 1}, WideCase{{30, 10, 30, 20}, 2, -1, 0},
                      WideCase{{10, 50, 20, 54}, 2, -1, 0}, WideCase{{30, 10, 33, 20}, 3, -1, 1},
                      // The chart's top grid line at y = 1 covers rows 0 and 1.
                      WideCase{{200, 1, 800, 1}, 2, -1, 0},
                      // Row -1 lies outside the image.
                      WideCase{{10, 0, 20, 0}, 2, -1, 0}));

TEST(LineClip, CutsLinesAtTheRestriction) {
  const Rect clip{200, 50, 500, 300};
  for (const Line& l : {Line{0, 60, 799, 60}, Line{100, 0, 600, 599}, Line{450, 20, 150, 350},
                        Line{250, 0, 260, 599}, Line{0, 0, 199, 599}}) {
    SCOPED_TRACE(::testing::PrintToString(l));
    EXPECT_EQ(Draw(l, 1, clip), Within(ReferenceLine(l), clip));
  }
  // A wide pen's band is cut too: row 59 lies above this restriction.
  const Rect below{200, 60, 500, 300};
  EXPECT_EQ(Draw({150, 60, 550, 60}, 2, below), Within(ReferenceLine({150, 60, 550, 60}), below));
}

TEST(LineClip, FarOutsideTheImageOnlyTheVisiblePartIsDrawn) {
  PixelSet row, diagonal, column, reversedColumn{{400, 0}};
  for (int x = 0; x < 800; ++x) row.insert({x, 300});
  for (int k = 0; k < 600; ++k) diagonal.insert({k, k});
  for (int y = 0; y < 600; ++y) column.insert({401, y});
  for (int y = 1; y < 600; ++y) reversedColumn.insert({401, y});

  EXPECT_EQ(Draw({INT_MIN, 300, INT_MAX, 300}), row);
  EXPECT_EQ(Draw({INT_MAX, 300, INT_MIN, 300}), row);
  EXPECT_EQ(Draw({-2000000000, -2000000000, 2000000000, 2000000000}), diagonal);
  EXPECT_EQ(Draw({400, -2000000000, 401, 2000000000}), column);
  EXPECT_EQ(Draw({401, 2000000000, 400, -2000000000}), reversedColumn);
  EXPECT_EQ(Draw({-100, INT_MIN, -100, INT_MAX}), PixelSet{});
}

}  // namespace
}  // namespace tarvelin
