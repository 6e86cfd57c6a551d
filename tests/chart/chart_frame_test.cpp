#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"
#include "tests/support/recording_canvas.h"

namespace tarvelin::testing {
namespace {

// One line per drawing call, with its arguments.
std::vector<std::string> Describe(const std::vector<CanvasCall>& calls) {
  std::vector<std::string> lines;
  for (const CanvasCall& c : calls) {
    const auto xy = std::to_string(c.x) + " " + std::to_string(c.y);
    const auto rect = std::to_string(c.rect.left) + " " + std::to_string(c.rect.top) + " " +
                      std::to_string(c.rect.right) + " " + std::to_string(c.rect.bottom);
    switch (c.op) {
      case Op::SetPenColor:
        lines.push_back("pen " + std::to_string(c.color));
        break;
      case Op::SetPenWidth:
        lines.push_back("width " + std::to_string(c.x));
        break;
      case Op::SetBrushColor:
        lines.push_back("brush " + std::to_string(c.color));
        break;
      case Op::SetFontName:
        lines.push_back("font " + c.text);
        break;
      case Op::SetFontSize:
        lines.push_back("size " + std::to_string(c.x));
        break;
      case Op::SetFontColor:
        lines.push_back("fontcolor " + std::to_string(c.color));
        break;
      case Op::MoveTo:
        lines.push_back("move " + xy);
        break;
      case Op::LineTo:
        lines.push_back("line " + xy);
        break;
      case Op::TextOut:
        lines.push_back("text " + xy + " " + c.text);
        break;
      case Op::FillRect:
        lines.push_back("fill " + rect);
        break;
      case Op::RestrictTo:
        lines.push_back("restrict " + rect);
        break;
      case Op::Refresh:
        lines.push_back("refresh");
        break;
    }
  }
  return lines;
}

std::string Colour(Color c) { return std::to_string(c); }

class ChartFrameTest : public ::testing::Test {
 protected:
  LogData log_ = MakeLog(10);
  int32_t position_ = 0;
  RecordingCanvas canvas_;
  FakeChartControls controls_;
  Chart chart_{log_, position_, canvas_, controls_};
};

TEST_F(ChartFrameTest, WithoutALogOnlyTheWidthIsSet) {
  LogData empty;
  int32_t position = 7;
  Chart chart(empty, position, canvas_, controls_);
  chart.DrawChart(3);
  EXPECT_EQ(chart.ChartWidth, 800);
  EXPECT_EQ(position, 7);
  EXPECT_TRUE(canvas_.calls().empty());
  EXPECT_TRUE(controls_.writes().empty());
}

TEST_F(ChartFrameTest, FrameDrawsInOrder) {
  controls_.CheckOnly(ChannelBox::rpmcb);
  log_.TIME.Append(SlotOf(4), "1.5");
  for (int r = 0; r < 10; ++r) log_.RPM.set(SlotOf(r), 10 + r);
  chart_.DrawChart(4);

  std::vector<std::string> expected = {
      "restrict 200 0 800 600", "brush 0", "font arial", "fill 200 0 800 600",
      "pen " + Colour(clWhite), "width 2"};
  for (int y : {1, 100, 200, 300, 400}) {
    expected.push_back("move 200 " + std::to_string(y));
    expected.push_back("line 800 " + std::to_string(y));
  }
  expected.push_back("pen " + Colour(clGray));
  expected.push_back("width 1");
  for (int y : {25, 50, 75, 125, 150, 175, 325, 350, 375}) {
    expected.push_back("move 200 " + std::to_string(y));
    expected.push_back("line 800 " + std::to_string(y));
  }
  expected.insert(expected.end(), {"font arial", "fontcolor " + Colour(clWhite)});
  // The RPM trace: step x shows record 4 - 400 + x; records 0..9 hold 10..19.
  expected.push_back("pen " + Colour(clRed));
  for (int x = 200; x <= 800; ++x) {
    const int record = 4 - 400 + x;
    const int v = record >= 0 && record < 10 ? 10 + record : 0;
    expected.push_back((x == 200 ? "move " : "line ") + std::to_string(x) + " " +
                       std::to_string(200 - v));
  }
  expected.insert(expected.end(),
                  {"fontcolor " + Colour(clWhite), "size 10", "text 370 406 1.5 Sec Elapsed Time",
                   "pen " + Colour(clWhite), "move 400 1", "line 400 400"});
  EXPECT_EQ(Describe(canvas_.calls()), expected);
  EXPECT_EQ(position_, 4);

  // Indicators first, then every caption in row order, checked or not.
  std::vector<std::string> writes;
  for (const ControlWrite& w : controls_.writes()) writes.push_back(w.caption);
  const std::vector<std::string> expectedWrites = {
      "EBIT8:N",  "EBIT7:N",  "DECEL:N",   "ACCEL:N",  "WRMUP:N", "AFTSTRT:N",
      "CRANK:N",  "RUN:N",    "PW1: 0.0",  "PW2: 0.0", "VE1: 0",  "VE2: 0",
      "DC1: 0.0", "DC2: 0.0", "RPM: 1400", "MAP: 0",   "TPS: 0",  "O2v: 0.000",
      "CLT: 0",   "MAT: 0.0", "GEGO: 0",   "SECL: 0"};
  EXPECT_EQ(writes, expectedWrites);
}

TEST_F(ChartFrameTest, LeavesTheSurfaceReadyForText) {
  controls_.CheckAll();
  chart_.DrawChart(0);
  const CanvasState& s = canvas_.state();
  EXPECT_EQ(s.penColor, clWhite);
  EXPECT_EQ(s.penWidth, 1);
  EXPECT_EQ(s.brushColor, clBlack);
  EXPECT_EQ(s.fontName, "arial");
  EXPECT_EQ(s.fontColor, clWhite);
  EXPECT_EQ(s.fontSize, 10);
  EXPECT_EQ(s.restriction, (Rect{200, 0, 800, 600}));
  // The cursor line is the last thing drawn, over every trace.
  const auto lines = canvas_.Polylines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().xs, (std::vector<int>{400, 400}));
  EXPECT_EQ(lines.back().ys, (std::vector<int>{1, 400}));
  EXPECT_EQ(lines.back().color, clWhite);
  EXPECT_EQ(lines.back().width, 1);
}

TEST_F(ChartFrameTest, TraceShowsTheWindowAroundTheCursor) {
  log_ = MakeLog(1000);
  controls_.CheckOnly(ChannelBox::mapcb);
  const int32_t p = 500;
  log_.MAP.set(SlotOf(p - 200), 11);
  log_.MAP.set(SlotOf(p), 22);
  log_.MAP.set(SlotOf(p + 399), 33);
  log_.MAP.set(SlotOf(p + 400), 44);
  chart_.DrawChart(p);
  const auto lines = canvas_.Polylines();
  const auto trace = std::find_if(lines.begin(), lines.end(),
                                  [](const Polyline& l) { return l.xs.size() == 601; });
  ASSERT_NE(trace, lines.end());
  EXPECT_EQ(trace->color, clFuchsia);
  EXPECT_EQ(trace->xs.front(), 200);
  EXPECT_EQ(trace->xs.back(), 800);
  EXPECT_EQ(trace->ys[0], 200 - 11);
  EXPECT_EQ(trace->ys[200], 200 - 22);
  EXPECT_EQ(trace->ys[599], 200 - 33);
  EXPECT_EQ(trace->ys[600], 200 - 44);
  EXPECT_EQ(controls_.Caption(ChannelBox::mapcb), "MAP: 22");
}

TEST_F(ChartFrameTest, ElapsedTimeTextIsPassedThroughAsBytes) {
  log_.TIME.Append(SlotOf(0), "12.5\xE9\xFF");
  chart_.DrawChart(0);
  const auto texts = canvas_.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "12.5\xE9\xFF Sec Elapsed Time");
  EXPECT_EQ(texts[0].background, clBlack);
  EXPECT_EQ(texts[0].fontName, "arial");
  EXPECT_EQ(texts[0].fontColor, clWhite);

  // An empty slot shows the suffix alone.
  canvas_.Clear();
  chart_.DrawChart(5);
  ASSERT_EQ(canvas_.Texts().size(), 1u);
  EXPECT_EQ(canvas_.Texts()[0].text, " Sec Elapsed Time");
}

TEST_F(ChartFrameTest, WholeRangeOfPositionsDraws) {
  controls_.CheckAll();
  for (const int32_t p : {-601, -1, 0, log_.RecordCount, log_.RecordCount + 599}) {
    canvas_.Clear();
    EXPECT_NO_THROW(chart_.DrawChart(p)) << p;
    EXPECT_EQ(position_, p);
    EXPECT_EQ(canvas_.Texts().size(), 1u) << p;
  }
}

struct FailureCase {
  const char* name;
  ChannelBox box;
  void (*spoil)(LogData& log, int32_t slot);
  int32_t position;
  const char* message;
};

// A failure abandons the frame where it arises, with the position already stored.
TEST_F(ChartFrameTest, FailureAbandonsTheFrame) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const FailureCase cases[] = {
      {"status not an integer", ChannelBox::rpmcb,
       [](LogData& l, int32_t s) { l.ENGINE.Append(s, "1.0"); }, 3,
       "'1.0' is not a valid integer value"},
      {"row overflows", ChannelBox::rpmcb, [](LogData& l, int32_t s) { l.RPM.set(s, kMin); }, 3,
       "Integer overflow"},
      {"row beyond 32 bits", ChannelBox::pw1cb, [](LogData& l, int32_t s) { l.PW1.set(s, 6e8); }, 3,
       "Range check error"},
      {"doubled correction beyond 32 bits", ChannelBox::egocor,
       [](LogData& l, int32_t s) { l.GEGO.set(s, kMin); }, 3, "Range check error"},
      {"sample not roundable", ChannelBox::dc1cb,
       [](LogData& l, int32_t s) { l.DC1.set(s, 1e300); }, 3, "Invalid floating point operation"},
      {"oxygen not a number", ChannelBox::o2cb,
       [](LogData& l, int32_t s) { l.O2.set(s, std::nan("")); }, 3,
       "Invalid floating point operation"},
      {"window past the last slot", ChannelBox::seclcb, [](LogData&, int32_t) {}, 10 + 600,
       "Range check error"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    log_ = MakeLog(10);
    position_ = 0;
    canvas_.Clear();
    controls_.ClearWrites();
    controls_.CheckOnly(c.box);
    c.spoil(log_, SlotOf(c.position));
    try {
      chart_.DrawChart(c.position);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), c.message);
    }
    EXPECT_EQ(position_, c.position);
    // The grid is there, the elapsed time and the cursor are not.
    EXPECT_EQ(canvas_.CallsOf(Op::FillRect).size(), 1u);
    EXPECT_TRUE(canvas_.Texts().empty());
    const auto lines = canvas_.Polylines();
    ASSERT_GE(lines.size(), 14u);
    EXPECT_NE(lines.back().xs.front(), 400);
  }
}

TEST_F(ChartFrameTest, UncheckedRowsOnlyWriteTheirCaptions) {
  log_.RPM.set(SlotOf(0), std::numeric_limits<int32_t>::min());
  log_.PW1.set(SlotOf(0), 1e300);
  chart_.DrawChart(0);
  EXPECT_EQ(controls_.Caption(ChannelBox::rpmcb), "RPM: -2.147E11");
  EXPECT_EQ(controls_.Caption(ChannelBox::pw1cb), "PW1: 1E300");
  // Grid and cursor only.
  EXPECT_EQ(canvas_.Polylines().size(), 5u + 9u + 1u);
}

}  // namespace
}  // namespace tarvelin::testing
