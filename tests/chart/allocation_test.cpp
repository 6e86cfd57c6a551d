// A frame allocates for its captions and texts, never per trace point.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "chart/chart.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"

namespace {
size_t allocations = 0;
}

void* operator new(size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace tarvelin::testing {
namespace {

// Draws nothing and keeps only what the chart may read back.
class NullCanvas : public Canvas {
 public:
  void SetPenColor(Color) override {}
  void SetPenWidth(int) override {}
  void SetBrushColor(Color) override {}
  void SetFontName(std::string_view) override {}
  void SetFontSize(int) override {}
  void SetFontColor(Color) override {}
  Color PenColor() const override { return 0; }
  int PenWidth() const override { return 1; }
  Color BrushColor() const override { return 0; }
  std::string FontName() const override { return {}; }
  int FontSize() const override { return 0; }
  Color FontColor() const override { return 0; }
  void MoveTo(int, int) override { ++points; }
  void LineTo(int, int) override { ++points; }
  void TextOut(int, int, std::string_view) override {}
  void FillRect(const Rect&) override {}
  void RestrictTo(const Rect&) override {}
  Rect Restriction() const override { return kUnrestricted; }
  void Refresh() override {}
  size_t points = 0;
};

TEST(ChartAllocationTest, NoAllocationPerPoint) {
  LogData log = MakeLog(2000, 2);
  for (int r = 0; r < 2000; ++r) {
    log.PW1.set(SlotOf(r), r % 20);
    log.AFR.set(SlotOf(r), 147);
  }
  log.TIME.Append(SlotOf(1000), "1234.567");
  log.ENGINE.Append(SlotOf(1000), "5");
  int32_t position = 0;
  NullCanvas canvas;
  FakeChartControls controls;
  controls.CheckAll();
  Chart chart(log, position, canvas, controls);
  chart.DrawChart(999);  // warm: the controls' write log has grown once
  controls.ClearWrites();
  canvas.points = 0;
  allocations = 0;
  chart.DrawChart(1000);
  EXPECT_GE(canvas.points, 14u * 601u);
  // 22 captions and labels and one elapsed-time text, a few of them long.
  EXPECT_LT(allocations, 64u);
}

}  // namespace
}  // namespace tarvelin::testing
