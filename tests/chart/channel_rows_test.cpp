#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"
#include "tests/support/recording_canvas.h"

namespace tarvelin::testing {
namespace {

constexpr int32_t kCursor = 5;  // the record drawn under the cursor

struct RowCase {
  ChannelBox box;
  Channel<int32_t> LogData::*integer;  // one of the two channels is set
  Channel<double> LogData::*real;
  double value;  // stored at the cursor record
  int32_t o2Mode;
  const char* caption;
  Color pen;
  int y;  // the trace's row at the cursor
};

constexpr Channel<int32_t> LogData::*kNoInt = nullptr;
constexpr Channel<double> LogData::*kNoReal = nullptr;

RowCase Int(ChannelBox box, Channel<int32_t> LogData::*ch, int32_t v, const char* caption,
            Color pen, int y, int32_t o2Mode = 1) {
  return {box, ch, kNoReal, static_cast<double>(v), o2Mode, caption, pen, y};
}
RowCase Real(ChannelBox box, Channel<double> LogData::*ch, double v, const char* caption, Color pen,
             int y, int32_t o2Mode = 1) {
  return {box, kNoInt, ch, v, o2Mode, caption, pen, y};
}

// The only trace drawn (601 points), when one box is checked.
Polyline OnlyTrace(const RecordingCanvas& canvas) {
  std::vector<Polyline> traces;
  for (const Polyline& line : canvas.Polylines())
    if (line.xs.size() == 601) traces.push_back(line);
  EXPECT_EQ(traces.size(), 1u);
  return traces.empty() ? Polyline{} : traces.front();
}

TEST(ChannelRowsTest, ReadoutAndTraceRowOfEveryChannel) {
  using enum ChannelBox;
  const RowCase cases[] = {
      // Empty slots read as zero.
      Real(pw1cb, &LogData::PW1, 0, "PW1: 0.0", clLime, 100),
      Real(pw2cb, &LogData::PW2, 0, "PW2: 0.0", clGreen, 100),
      Int(ve1cb, &LogData::VE1, 0, "VE1: 0", clWhite, 100),
      Int(ve2cb, &LogData::VE2, 0, "VE2: 0", clAqua, 100),
      Real(dc1cb, &LogData::DC1, 0, "DC1: 0.0", clRed, 100),
      Real(dc2cb, &LogData::DC2, 0, "DC2: 0.0", clYellow, 100),
      Int(rpmcb, &LogData::RPM, 0, "RPM: 0", clRed, 200),
      Int(mapcb, &LogData::MAP, 0, "MAP: 0", clFuchsia, 200),
      Int(tpscb, &LogData::TPS, 0, "TPS: 0", clAqua, 200),
      Real(o2cb, &LogData::O2, 0, "O2v: 0.000", clYellow, 300),
      Real(o2cb, &LogData::AFR, 0, "AFR: <8", clYellow, 299, 2),
      Int(cltcb, &LogData::CLT, 0, "CLT: 0", clSilver, 400),
      Real(matcb, &LogData::MAT, 0, "MAT: 0.0", clTeal, 400),
      Int(egocor, &LogData::GEGO, 0, "GEGO: 0", clLime, 450),
      Int(seclcb, &LogData::SECL, 0, "SECL: 0", clPurple, 400),
      // Pulse widths: 4 pixels per millisecond, halves to even.
      Real(pw1cb, &LogData::PW1, 2.625, "PW1: 2.6", clLime, 90),
      Real(pw1cb, &LogData::PW1, 15, "PW1: 15.0", clLime, 40),
      Real(pw2cb, &LogData::PW2, 2.875, "PW2: 2.9", clGreen, 88),
      // Efficiencies: div truncates toward zero.
      Int(ve1cb, &LogData::VE1, 101, "VE1: 101", clWhite, 50),
      Int(ve2cb, &LogData::VE2, -3, "VE2: -3", clAqua, 101),
      Real(dc1cb, &LogData::DC1, 50.5, "DC1: 50.5", clRed, 50),
      Real(dc1cb, &LogData::DC1, 51.5, "DC1: 51.5", clRed, 48),
      Real(dc2cb, &LogData::DC2, 99.95, "DC2: 100.0", clYellow, 0),
      Int(rpmcb, &LogData::RPM, 99, "RPM: 9900", clRed, 101),
      Int(rpmcb, &LogData::RPM, 100, "RPM: 1E4", clRed, 100),
      Int(rpmcb, &LogData::RPM, 125, "RPM: 1.25E4", clRed, 75),
      Int(rpmcb, &LogData::RPM, 255, "RPM: 2.55E4", clRed, -55),
      Int(mapcb, &LogData::MAP, 100, "MAP: 100", clFuchsia, 100),
      Int(tpscb, &LogData::TPS, -50, "TPS: -50", clAqua, 250),
      Real(o2cb, &LogData::O2, 0.5, "O2v: 0.500", clYellow, 250),
      Real(o2cb, &LogData::O2, 0.1234567, "O2v: 0.123", clYellow, 288),
      // Wideband: readout thresholds 80 and 180, trace clamped to 81 and 179.
      Real(o2cb, &LogData::AFR, 79.9, "AFR: <8", clYellow, 299, 2),
      Real(o2cb, &LogData::AFR, 80, "AFR: 8.00", clYellow, 300, 2),
      Real(o2cb, &LogData::AFR, 147, "AFR: 14.70", clYellow, 233, 2),
      // 80.25 / 10 in extended precision lies just below 8.025.
      Real(o2cb, &LogData::AFR, 80.25, "AFR: 8.02", clYellow, 300, 2),
      Real(o2cb, &LogData::AFR, 180, "AFR: 18.00", clYellow, 200, 2),
      Real(o2cb, &LogData::AFR, 180.5, "AFR: >18", clYellow, 201, 2),
      // Coolant: nothing below y 400.
      Int(cltcb, &LogData::CLT, 10, "CLT: 10", clSilver, 400),
      Int(cltcb, &LogData::CLT, -5, "CLT: -5", clSilver, 400),
      Int(cltcb, &LogData::CLT, 180, "CLT: 180", clSilver, 320),
      Int(cltcb, &LogData::CLT, 21, "CLT: 21", clSilver, 400),
      Int(cltcb, &LogData::CLT, 22, "CLT: 22", clSilver, 399),
      Real(matcb, &LogData::MAT, 75, "MAT: 75.0", clTeal, 362),
      Real(matcb, &LogData::MAT, 77, "MAT: 77.0", clTeal, 362),
      Real(matcb, &LogData::MAT, -40, "MAT: -40.0", clTeal, 420),
      // Correction: halved, rounded to even, doubled.
      Int(egocor, &LogData::GEGO, 100, "GEGO: 100", clLime, 350),
      Int(egocor, &LogData::GEGO, 101, "GEGO: 101", clLime, 350),
      Int(egocor, &LogData::GEGO, 99, "GEGO: 99", clLime, 350),
      Int(egocor, &LogData::GEGO, 103, "GEGO: 103", clLime, 346),
      Int(seclcb, &LogData::SECL, 3, "SECL: 3", clPurple, 400),
      Int(seclcb, &LogData::SECL, 4, "SECL: 4", clPurple, 399),
      Int(seclcb, &LogData::SECL, 255, "SECL: 255", clPurple, 337),
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.caption);
    LogData log = MakeLog(10, c.o2Mode);
    if (c.integer) (log.*c.integer).set(SlotOf(kCursor), static_cast<int32_t>(c.value));
    if (c.real) (log.*c.real).set(SlotOf(kCursor), c.value);
    int32_t position = 0;
    RecordingCanvas canvas;
    FakeChartControls controls;
    controls.CheckOnly(c.box);
    Chart(log, position, canvas, controls).DrawChart(kCursor);
    EXPECT_EQ(controls.Caption(c.box), c.caption);
    const Polyline trace = OnlyTrace(canvas);
    ASSERT_EQ(trace.xs.size(), 601u);
    EXPECT_EQ(trace.color, c.pen);
    EXPECT_EQ(trace.width, 1);
    EXPECT_EQ(trace.xs[200], 400);
    EXPECT_EQ(trace.ys[200], c.y);
  }
}

// The lines drawn after the trace, with their pens, as "y/colour".
std::vector<std::string> LinesAfterTrace(const RecordingCanvas& canvas) {
  std::vector<std::string> found;
  bool afterTrace = false;
  for (const Polyline& line : canvas.Polylines()) {
    if (line.xs.size() == 601) {
      afterTrace = true;
    } else if (afterTrace && line.xs.front() == 200 && line.xs.back() == 800) {
      EXPECT_EQ(line.ys.front(), line.ys.back());
      found.push_back(std::to_string(line.ys.front()) + "/" + std::to_string(line.color));
    }
  }
  return found;
}

TEST(ChannelRowsTest, OxygenRowFollowsTheSensorMode) {
  struct Case {
    int32_t o2Mode;
    bool checked;
    const char* caption;  // empty: the row writes none
    std::vector<std::string> lines;
  };
  const std::string yellow = std::to_string(clYellow), green = std::to_string(clGreen),
                    grey = std::to_string(clGray);
  const Case cases[] = {
      {1, true, "O2v: 0.720", {"250/" + yellow}},
      {2,
       true,
       "AFR: 14.70",
       {"233/" + green, "220/" + grey, "240/" + grey, "260/" + grey, "280/" + grey}},
      {1, false, "O2v: 0.720", {}},
      {2, false, "AFR: 14.70", {}},
      {0, true, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.o2Mode) + (c.checked ? " checked" : " unchecked"));
    LogData log = MakeLog(10, c.o2Mode);
    log.O2.set(SlotOf(0), 0.72);
    log.AFR.set(SlotOf(0), 147);
    int32_t position = 0;
    RecordingCanvas canvas;
    FakeChartControls controls;
    controls.SetChecked(ChannelBox::o2cb, c.checked);
    Chart(log, position, canvas, controls).DrawChart(0);
    EXPECT_EQ(controls.Caption(ChannelBox::o2cb), c.caption);
    const auto lines = canvas.Polylines();
    const size_t traces = static_cast<size_t>(std::count_if(
        lines.begin(), lines.end(), [](const Polyline& l) { return l.xs.size() == 601; }));
    EXPECT_EQ(traces, c.checked && !c.lines.empty() ? 1u : 0u);
    // The reference lines lie over the trace, before the cursor line.
    auto after = LinesAfterTrace(canvas);
    EXPECT_EQ(after, c.lines);
  }
}

TEST(ChannelRowsTest, EveryCheckedRowDrawsInTableOrder) {
  LogData log = MakeLog(10, 2);
  int32_t position = 0;
  RecordingCanvas canvas;
  FakeChartControls controls;
  controls.CheckAll();
  Chart(log, position, canvas, controls).DrawChart(0);
  std::vector<Color> pens;
  for (const Polyline& line : canvas.Polylines())
    if (line.xs.size() == 601) pens.push_back(line.color);
  const std::vector<Color> expected = {clLime,   clGreen, clWhite,   clAqua,  clRed,
                                       clYellow, clRed,   clFuchsia, clAqua,  clYellow,
                                       clSilver, clTeal,  clLime,    clPurple};
  EXPECT_EQ(pens, expected);
}

}  // namespace
}  // namespace tarvelin::testing
