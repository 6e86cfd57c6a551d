#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/chart.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"
#include "tests/support/recording_canvas.h"

namespace tarvelin::testing {
namespace {

std::string C(Color c) { return std::to_string(c); }

// Each text as "text x,y size colour", each line as "line y colour width".
std::vector<std::string> Texts(const RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const TextCall& t : canvas.Texts())
    out.push_back(t.text + " " + std::to_string(t.x) + "," + std::to_string(t.y) + " " +
                  std::to_string(t.fontSize) + " " + C(t.fontColor));
  return out;
}
std::vector<std::string> Lines(const RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const Polyline& l : canvas.Polylines()) {
    EXPECT_EQ(l.xs, (std::vector<int>{1, 800}));
    EXPECT_EQ(l.ys.front(), l.ys.back());
    out.push_back("line " + std::to_string(l.ys.front()) + " " + C(l.color) + " " +
                  std::to_string(l.width));
  }
  return out;
}

std::vector<std::string> GridLines() {
  std::vector<std::string> grid;
  for (int y : {1, 100, 200, 300, 400})
    grid.push_back("line " + std::to_string(y) + " " + C(clWhite) + " 2");
  for (int y : {25, 50, 75, 125, 150, 175, 325, 350, 375})
    grid.push_back("line " + std::to_string(y) + " " + C(clGray) + " 1");
  return grid;
}

class LegendTest : public ::testing::Test {
 protected:
  void Draw(int32_t o2Mode) {
    log_.O2Mode = o2Mode;
    Chart(log_, position_, canvas_, controls_).DrawLegend();
  }
  LogData log_;  // the legend reads no log data: none is loaded
  int32_t position_ = 0;
  RecordingCanvas canvas_;
  FakeChartControls controls_;
};

TEST_F(LegendTest, NothingCheckedDrawsTheGridAlone) {
  Draw(1);
  EXPECT_EQ(Lines(canvas_), GridLines());
  EXPECT_TRUE(canvas_.Texts().empty());
  EXPECT_EQ(canvas_.state().penColor, clGray);
  EXPECT_EQ(canvas_.state().penWidth, 1);
}

TEST_F(LegendTest, EachCheckedChannelDrawsItsEntry) {
  using enum ChannelBox;
  const std::string lime = C(clLime), green = C(clGreen), white = C(clWhite), aqua = C(clAqua),
                    red = C(clRed), yellow = C(clYellow), fuchsia = C(clFuchsia),
                    silver = C(clSilver), teal = C(clTeal), purple = C(clPurple), grey = C(clGray);
  const struct {
    ChannelBox box;
    int32_t o2Mode;
    std::vector<std::string> lines;  // past the grid
    std::vector<std::string> texts;
  } cases[] = {
      // The pulse-width labels stand above the rows where the trace draws 15, 10 and 5 ms.
      {pw1cb,
       1,
       {},
       {"15ms 100,34 8 " + lime, "10ms 100,54 8 " + lime, "5ms 100,74 8 " + lime,
        "PW1 5,40 15 " + lime}},
      {pw2cb, 1, {}, {"PW2 50,40 15 " + green}},
      {ve1cb,
       1,
       {},
       {"150 130,19 8 " + white, "100 130,44 8 " + white, "50 130,69 8 " + white,
        "VE1 5,10 15 " + white}},
      {ve2cb, 1, {}, {"VE2 50,10 15 " + aqua}},
      {dc1cb,
       1,
       {},
       {"75% 160,19 8 " + red, "50% 160,44 8 " + red, "25% 160,69 8 " + red, "DC1 5,70 15 " + red}},
      {dc2cb, 1, {}, {"DC2 50,70 15 " + yellow}},
      {rpmcb,
       1,
       {},
       {"7500 70,119 8 " + red, "5000 70,144 8 " + red, "2500 70,169 8 " + red,
        "RPM 5,110 15 " + red}},
      {mapcb,
       1,
       {},
       {"75 110,119 8 " + fuchsia, "50 110,144 8 " + fuchsia, "25 110,169 8 " + fuchsia,
        "MAP 5,140 15 " + fuchsia}},
      {tpscb,
       1,
       {},
       {"75 130,119 8 " + aqua, "50 130,144 8 " + aqua, "25 130,169 8 " + aqua,
        "TPS 5,170 15 " + aqua}},
      {o2cb, 1, {"line 250 " + grey + " 1"}, {".5v 120,244 8 " + yellow, "O2 5,210 15 " + yellow}},
      {o2cb,
       2,
       {"line 233 " + green + " 1", "line 220 " + grey + " 1", "line 240 " + grey + " 1",
        "line 260 " + grey + " 1", "line 280 " + grey + " 1"},
       {"16 120,214 8 " + white, "14 120,234 8 " + white, "12 120,254 8 " + white,
        "10 120,274 8 " + white, "14.7 140,226 8 " + green, "A/F Ratio 5,210 15 " + yellow}},
      {o2cb, 0, {}, {}},
      {o2cb, 3, {}, {}},
      {cltcb,
       1,
       {},
       {"170 110,319 8 " + silver, "120 110,344 8 " + silver, "70 110,369 8 " + silver,
        "CLT 5,310 15 " + silver}},
      {matcb,
       1,
       {},
       {"150 140,319 8 " + teal, "100 140,344 8 " + teal, "50 140,369 8 " + teal,
        "MAT 5,340 15 " + teal}},
      {egocor,
       1,
       {},
       {"125 170,319 8 " + lime, "100 170,344 8 " + lime, "75 170,369 8 " + lime,
        "GEGO 5,370 15 " + lime}},
      {seclcb, 1, {}, {"SECL 55,310 15 " + purple}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.box)) + " mode " + std::to_string(c.o2Mode));
    canvas_ = RecordingCanvas();
    controls_.CheckOnly(c.box);
    Draw(c.o2Mode);
    std::vector<std::string> lines = GridLines();
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(Lines(canvas_), lines);
    EXPECT_EQ(Texts(canvas_), c.texts);
    // Lines first, then the texts that cover them.
    size_t lastLine = 0;
    for (size_t i = 0; i < canvas_.calls().size(); ++i)
      if (canvas_.calls()[i].op == Op::LineTo) lastLine = i;
    if (!c.texts.empty()) {
      EXPECT_LT(lastLine, canvas_.Find(Op::TextOut));
    }
    for (const TextCall& t : canvas_.Texts()) {
      EXPECT_EQ(t.fontName, "arial");
      EXPECT_EQ(t.background, clBlack);
    }
    EXPECT_EQ(canvas_.state().penColor, clGray);
  }
}

TEST_F(LegendTest, NeverRestrictsOrFills) {
  controls_.CheckAll();
  canvas_.RestrictTo(kUnrestricted);
  canvas_.Clear();
  Draw(2);
  EXPECT_TRUE(canvas_.CallsOf(Op::RestrictTo).empty());
  EXPECT_TRUE(canvas_.CallsOf(Op::FillRect).empty());
  EXPECT_EQ(canvas_.Texts().size(), 46u);
  for (const TextCall& t : canvas_.Texts()) EXPECT_EQ(t.restriction, kUnrestricted);
}

TEST_F(LegendTest, EveryCheckedEntryInOrder) {
  controls_.CheckAll();
  Draw(1);
  std::vector<std::string> names;
  for (const TextCall& t : canvas_.Texts())
    if (t.fontSize == 15) names.push_back(t.text);
  const std::vector<std::string> expected = {"PW1", "PW2", "VE1", "VE2", "DC1", "DC2",  "RPM",
                                             "MAP", "TPS", "O2",  "CLT", "MAT", "GEGO", "SECL"};
  EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace tarvelin::testing
