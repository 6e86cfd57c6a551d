// The chart and legend on the real drawing surface, read back pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>

#include "chart/chart.h"
#include "platform/image_surface.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"

namespace tarvelin::testing {
namespace {

class ChartPixelsTest : public ::testing::Test {
 protected:
  Color At(int x, int y) const {
    return FromQRgb(surface_.image().pixel(x, y));
  }

  LogData log_ = MakeLog(1000);
  int32_t position_ = 0;
  ImageSurface surface_;
  FakeChartControls controls_;
  Chart chart_{log_, position_, surface_, controls_};
};

TEST_F(ChartPixelsTest, TracePointOfTheCursorRecord) {
  // MAT -40 everywhere (y 420, below the cursor line), -60 at the cursor record (y 430).
  controls_.CheckOnly(ChannelBox::matcb);
  for (int r = 0; r < 1000; ++r) log_.MAT.set(SlotOf(r), -40);
  log_.MAT.set(SlotOf(500), -60);
  chart_.DrawChart(500);
  EXPECT_EQ(At(400, 430), clTeal);
  EXPECT_EQ(At(400, 431), clBlack);
  EXPECT_EQ(At(250, 420), clTeal);
  EXPECT_EQ(At(799, 420), clTeal);
  EXPECT_EQ(At(250, 421), clBlack);
}

TEST_F(ChartPixelsTest, GridCursorAndEmptyOxygenBand) {
  chart_.DrawChart(0);
  EXPECT_EQ(At(300, 100), clWhite);
  EXPECT_EQ(At(300, 25), clGray);
  EXPECT_EQ(At(300, 350), clGray);
  EXPECT_EQ(At(300, 60), clBlack);
  // The cursor: white from y 1 to 399 at x 400, and only there (the 2-pixel grid line at 400
  // covers rows 399 and 400).
  for (int y : {2, 150, 250, 398}) EXPECT_EQ(At(400, y), clWhite) << y;
  EXPECT_EQ(At(400, 401), clBlack);
  EXPECT_EQ(At(401, 250), clBlack);
  // No grid line between the bounds of the oxygen band.
  for (int y = 201; y < 299; ++y) {
    ASSERT_EQ(At(300, y), clBlack) << y;
    ASSERT_EQ(At(700, y), clBlack) << y;
  }
  // Nothing drawn left of the chart.
  for (int y = 0; y < 600; y += 7) ASSERT_EQ(At(150, y), clBlack) << y;
}

TEST_F(ChartPixelsTest, CursorLiesOverTheReferenceLine) {
  controls_.CheckOnly(ChannelBox::o2cb);
  chart_.DrawChart(0);
  EXPECT_EQ(At(300, 250), clYellow);
  EXPECT_EQ(At(400, 250), clWhite);
}

TEST_F(ChartPixelsTest, LegendSurvivesAChartRedraw) {
  controls_.CheckAll();
  chart_.DrawLegend();
  chart_.DrawChart(0);
  const QImage strip = surface_.image().copy(0, 0, 200, 600);
  EXPECT_EQ(At(150, 100), clWhite);
  EXPECT_EQ(At(190, 25), clGray);
  // "VE1" at (5, 10) stands on black over the grey line at 25.
  EXPECT_NE(At(10, 25), clGray);
  bool painted = false;
  for (int y = 10; y < 30 && !painted; ++y)
    for (int x = 5; x < 40 && !painted; ++x) painted = At(x, y) == clWhite;
  EXPECT_TRUE(painted) << "no VE1 glyph pixel";

  // Redraws of the chart, also after unchecking, leave the strip as it was.
  controls_.SetChecked(ChannelBox::rpmcb, false);
  chart_.DrawChart(20);
  chart_.DrawChart(40);
  EXPECT_EQ(surface_.image().copy(0, 0, 200, 600), strip);
}

}  // namespace
}  // namespace tarvelin::testing
