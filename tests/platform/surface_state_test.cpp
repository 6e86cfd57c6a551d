// The surface's state: colour byte order, fills and the restriction, region objects, and the
// settings that last from one event to the next and through Refresh.
#include <gtest/gtest.h>

#include "platform/image_surface.h"
#include "platform/region.h"
#include "tests/platform/surface_pixels.h"

namespace tarvelin {
namespace {

using surface_test::Bounds;
using surface_test::PaintedPixels;

TEST(SurfaceColors, LowByteIsRedForPenBrushAndFont) {
  const struct {
    Color color;
    int r, g, b;
  } cases[] = {{clRed, 255, 0, 0},
               {clBlue, 0, 0, 255},
               {clLime, 0, 255, 0},
               {clYellow, 255, 255, 0},
               {clActiveCaption, 0x0A, 0x24, 0x6A},
               {0x00332211, 0x11, 0x22, 0x33}};
  for (const auto& c : cases) {
    ImageSurface surface;
    surface.SetBrushColor(c.color);
    surface.FillRect({0, 0, 10, 10});
    surface.SetPenColor(c.color);
    surface.MoveTo(20, 5);
    surface.LineTo(30, 5);
    surface.SetBrushColor(clBlack);
    surface.SetFontColor(c.color);
    surface.SetFontName("arial");
    surface.SetFontSize(15);
    surface.TextOut(100, 100, "I");
    const QImage& image = surface.image();
    const QRgb expected = qRgb(c.r, c.g, c.b);
    EXPECT_EQ(image.pixel(5, 5), expected) << std::hex << c.color;
    EXPECT_EQ(image.pixel(25, 5), expected) << std::hex << c.color;
    int glyphPixels = 0;
    for (int y = 100; y < 130; ++y) {
      for (int x = 100; x < 120; ++x) glyphPixels += image.pixel(x, y) == expected;
    }
    EXPECT_GT(glyphPixels, 10) << std::hex << c.color;
  }
}

TEST(SurfaceFill, FillsWithinRectAndRestrictionRightBottomExclusive) {
  const struct {
    Rect restriction, fill, painted;
  } cases[] = {
      {kUnrestricted, {3, 4, 6, 8}, {3, 4, 6, 8}},
      {kUnrestricted, {-5, -5, 10, 10}, {0, 0, 10, 10}},
      {kUnrestricted, {790, 590, 900, 700}, {790, 590, 800, 600}},
      {{200, 0, 800, 600}, kUnrestricted, {200, 0, 800, 600}},
      {{200, 0, 800, 600}, {150, 10, 210, 20}, {200, 10, 210, 20}},
      {{200, 0, 800, 600}, {0, 0, 199, 600}, {}},
      {kUnrestricted, {10, 10, 5, 5}, {}},
      {{300, 300, 100, 100}, kUnrestricted, {}},
  };
  for (const auto& c : cases) {
    ImageSurface surface;
    surface.RestrictTo(c.restriction);
    surface.SetBrushColor(clWhite);
    surface.FillRect(c.fill);
    const auto painted = PaintedPixels(surface.image());
    EXPECT_EQ(Bounds(painted), c.painted) << c.fill.left << "," << c.fill.top;
    EXPECT_EQ(painted.size(),
              size_t((c.painted.right - c.painted.left) * (c.painted.bottom - c.painted.top)));
  }
}

TEST(SurfaceRestriction, ReplacesTheOneInForceAndIsCutToTheImage) {
  ImageSurface surface;
  EXPECT_EQ(surface.Restriction(), kUnrestricted);
  surface.RestrictTo({200, 0, 800, 600});
  EXPECT_EQ(surface.Restriction(), (Rect{200, 0, 800, 600}));
  surface.RestrictTo({0, 0, 800, 600});  // wider than before: replaces, not narrows
  EXPECT_EQ(surface.Restriction(), kUnrestricted);
  surface.RestrictTo({-10, -20, 900, 700});
  EXPECT_EQ(surface.Restriction(), kUnrestricted);
  surface.RestrictTo({100, 50, 1000, 60});
  EXPECT_EQ(surface.Restriction(), (Rect{100, 50, 800, 60}));
  surface.RestrictTo({300, 300, 100, 100});
  const Rect empty = surface.Restriction();
  EXPECT_TRUE(empty.left >= empty.right || empty.top >= empty.bottom);
  surface.ResetRestriction();
  EXPECT_EQ(surface.Restriction(), kUnrestricted);
}

TEST(SurfaceRestriction, LeavesNoRegionObjectsBehind) {
  const int before = Region::LiveCount();
  {
    const Region region({200, 0, 800, 600});
    EXPECT_EQ(Region::LiveCount(), before + 1);
  }
  EXPECT_EQ(Region::LiveCount(), before);

  ImageSurface surface;
  for (int i = 0; i < 1000; ++i) {
    surface.RestrictTo({200, 0, 800, 600});
    surface.RestrictTo(kUnrestricted);
  }
  EXPECT_EQ(Region::LiveCount(), before);

  // The surface keeps its own copy of a selected region's rectangle.
  {
    const Region region({200, 0, 800, 600});
    surface.SelectClipRegion(region);
  }
  surface.SetBrushColor(clWhite);
  surface.FillRect(kUnrestricted);
  EXPECT_EQ(Bounds(PaintedPixels(surface.image())), (Rect{200, 0, 800, 600}));
  EXPECT_EQ(Region::LiveCount(), before);
}

struct Settings {
  Color pen;
  int penWidth;
  Color brush;
  std::string fontName;
  int fontSize;
  Color fontColor;
  bool operator==(const Settings&) const = default;
};

Settings Read(const ImageSurface& s) {
  return {s.PenColor(), s.PenWidth(), s.BrushColor(), s.FontName(), s.FontSize(), s.FontColor()};
}

TEST(SurfaceSettings, StartsBlackWithTheWindowFont) {
  ImageSurface surface;
  EXPECT_EQ(Read(surface), (Settings{clBlack, 1, clBlack, "MS Sans Serif", 8, clBlack}));
  EXPECT_EQ(surface.image().size(), QSize(800, 600));
  EXPECT_EQ(surface.image().format(), QImage::Format_RGB32);
  EXPECT_TRUE(PaintedPixels(surface.image()).empty());
}

TEST(SurfaceSettings, LastAcrossDrawingRestrictionAndRefresh) {
  ImageSurface surface;
  surface.SetPenColor(clRed);
  surface.SetPenWidth(2);
  surface.SetBrushColor(clBlue);
  surface.SetFontName("arial");
  surface.SetFontSize(15);
  surface.SetFontColor(clYellow);
  const Settings set{clRed, 2, clBlue, "arial", 15, clYellow};

  surface.MoveTo(10, 300);
  surface.LineTo(20, 300);
  surface.TextOut(100, 100, "RPM");
  surface.FillRect({0, 500, 10, 510});
  surface.RestrictTo({200, 0, 800, 600});
  surface.ResetRestriction();
  EXPECT_EQ(Read(surface), set);
  surface.Refresh();
  EXPECT_EQ(Read(surface), set);

  // The pen position lasts too: this line starts where the first one ended.
  surface.LineTo(30, 300);
  for (int x = 10; x < 30; ++x) EXPECT_EQ(surface.image().pixel(x, 299), ToQRgb(clRed)) << x;
  EXPECT_NE(surface.image().pixel(30, 300), ToQRgb(clRed));
}

TEST(SurfaceSettings, TextAfterRefreshIsDrawnAsBefore) {
  ImageSurface before, after;
  for (ImageSurface* s : {&before, &after}) {
    s->SetFontColor(clWhite);
    s->SetFontName("arial");
    s->SetFontSize(8);
    s->TextOut(10, 10, "7500");  // selects the font; Refresh must let go of it
    s->SetFontSize(15);
    s->TextOut(10, 40, "RPM");
  }
  after.Refresh();
  for (ImageSurface* s : {&before, &after}) {
    s->TextOut(300, 10, "GEGO");
    s->SetFontSize(8);
    s->TextOut(300, 40, "125");
  }
  EXPECT_GT(PaintedPixels(after.image()).size(), 100u);
  EXPECT_TRUE(before.image() == after.image());
}

}  // namespace
}  // namespace tarvelin
