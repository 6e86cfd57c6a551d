// Text: its cell on the brush colour, top-left at the point, pure glyph colour, pixel heights
// of the point sizes, the faces behind the toolkit's font names, and the clip.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <ostream>
#include <string>

#include "platform/image_surface.h"
#include "platform/toolkit_font.h"
#include "tests/platform/surface_pixels.h"

namespace tarvelin {
namespace {

using surface_test::Bounds;
using surface_test::PaintedPixels;
using surface_test::PixelSet;

constexpr Color kPaper = clWhite;  // what lies under the text before it is drawn

struct Cell {
  int width, height;
};

Cell ExpectedCell(const std::string& name, int points, const QString& text) {
  const QFontMetrics metrics(ToolkitFont(name, PointsToPixels(points), false));
  return {metrics.horizontalAdvance(text), metrics.height()};
}

// A surface on white paper, set up for text in `name` at `points`.
void Prepare(ImageSurface& surface, const std::string& name, int points) {
  surface.SetBrushColor(kPaper);
  surface.FillRect(kUnrestricted);
  surface.SetBrushColor(clBlue);
  surface.SetFontColor(clYellow);
  surface.SetFontName(name);
  surface.SetFontSize(points);
}

struct TextCase {
  std::string name;
  int points;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.name << "\" " << c.points; }

class TextCell : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextCell, IsOpaqueBrushWithPureGlyphsAtTheTopLeftPoint) {
  const TextCase c = GetParam();
  ImageSurface surface;
  Prepare(surface, c.name, c.points);
  surface.SetPenColor(kPaper);  // a line under the text, which the cell must cover
  surface.MoveTo(0, 65);
  surface.LineTo(800, 65);
  surface.TextOut(50, 60, "Hg15ms");

  const Cell cell = ExpectedCell(c.name, c.points, "Hg15ms");
  EXPECT_GE(cell.height, PointsToPixels(c.points));
  const PixelSet painted = PaintedPixels(surface.image(), kPaper);
  EXPECT_EQ(Bounds(painted), (Rect{50, 60, 50 + cell.width, 60 + cell.height}));
  EXPECT_EQ(painted.size(), size_t(cell.width * cell.height)) << "cell not filled solid";

  int glyphPixels = 0;
  for (auto [x, y] : painted) {
    const QRgb pixel = surface.image().pixel(x, y);
    ASSERT_TRUE(pixel == ToQRgb(clBlue) || pixel == ToQRgb(clYellow))
        << "blended pixel " << std::hex << pixel << " at " << x << "," << y;
    glyphPixels += pixel == ToQRgb(clYellow);
  }
  EXPECT_GT(glyphPixels, 6 * cell.height / 4) << "hardly any glyph pixels";
}

INSTANTIATE_TEST_SUITE_P(Fonts, TextCell,
                         ::testing::Values(TextCase{"arial", 8}, TextCase{"arial", 10},
                                           TextCase{"arial", 15}, TextCase{"MS Sans Serif", 8}));

TEST(ToolkitFont, PointSizesBecomePixelHeightsAt96Dpi) {
  const struct {
    int points, pixels;
  } cases[] = {{8, 11}, {10, 13}, {15, 20}, {12, 16}, {9, 12}, {1, 1}, {0, 1}, {-4, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(PointsToPixels(c.points), c.pixels) << c.points << " points";
    EXPECT_EQ(ToolkitFont("arial", PointsToPixels(c.points), false).pixelSize(), c.pixels);
  }
}

TEST(ToolkitFont, NamesMapToInstalledFaces) {
  const struct {
    const char* name;
    const char* family;
  } cases[] = {{"arial", "Liberation Sans"},     {"Arial", "Liberation Sans"},
               {"ARIAL", "Liberation Sans"},     {"MS Sans Serif", "Liberation Sans"},
               {"ms sans serif", "Liberation Sans"}, {"Courier New", "Liberation Sans"},
               {"", "Liberation Sans"}};
  for (const auto& c : cases) {
    for (bool bold : {false, true}) {
      const QFont font = ToolkitFont(c.name, 11, bold);
      EXPECT_EQ(QFontInfo(font).family().toStdString(), c.family) << '"' << c.name << '"';
      EXPECT_EQ(QFontInfo(font).bold(), bold) << c.name;
      EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
    }
  }
}

TEST(TextClip, TextIsCutAtTheRestriction) {
  ImageSurface surface;
  Prepare(surface, "arial", 15);
  surface.RestrictTo({200, 0, 800, 70});
  surface.TextOut(180, 60, "A/F Ratio");
  const Cell cell = ExpectedCell("arial", 15, "A/F Ratio");
  ASSERT_GT(cell.height, 10);
  EXPECT_EQ(Bounds(PaintedPixels(surface.image(), kPaper)), (Rect{200, 60, 180 + cell.width, 70}));

  surface.RestrictTo({0, 0, 100, 100});
  surface.TextOut(300, 300, "outside");
  surface.TextOut(-500, 300, "outside");
  EXPECT_EQ(Bounds(PaintedPixels(surface.image(), kPaper)), (Rect{200, 60, 180 + cell.width, 70}));
}

TEST(TextOutput, TextIsLatin1AndLeavesThePenWhereItWas) {
  ImageSurface surface;
  Prepare(surface, "arial", 10);
  surface.MoveTo(10, 200);
  surface.TextOut(20, 20,
                  "caf\xE9 \xB0"
                  "C");
  EXPECT_EQ(Bounds(PaintedPixels(surface.image(), kPaper)).right,
            20 + ExpectedCell("arial", 10, QString::fromUtf8("café °C")).width);

  surface.SetPenColor(clRed);
  surface.LineTo(13, 200);
  for (int x : {10, 11, 12}) EXPECT_EQ(surface.image().pixel(x, 200), ToQRgb(clRed)) << x;
}

TEST(TextOutput, EmptyTextDrawsNothing) {
  ImageSurface surface;
  Prepare(surface, "arial", 10);
  surface.TextOut(20, 20, "");
  EXPECT_TRUE(PaintedPixels(surface.image(), kPaper).empty());
}

}  // namespace
}  // namespace tarvelin
