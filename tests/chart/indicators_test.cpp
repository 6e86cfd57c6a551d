#include <gtest/gtest.h>

#include <string>

#include "chart/chart.h"
#include "tests/chart/test_log.h"
#include "tests/support/fake_chart_controls.h"
#include "tests/support/recording_canvas.h"

namespace tarvelin::testing {
namespace {

constexpr Indicator kLabels[] = {Indicator::ebit8,    Indicator::ebit7,  Indicator::decel,
                                 Indicator::accel,    Indicator::warmup, Indicator::afterstart,
                                 Indicator::cranking, Indicator::RUNNING};

class IndicatorsTest : public ::testing::Test {
 protected:
  // Draws a frame whose cursor record holds `status` (nothing appended for the empty text).
  void DrawWithStatus(const std::string& status) {
    log_ = MakeLog(10);
    if (!status.empty()) log_.ENGINE.Append(SlotOf(0), status);
    Chart(log_, position_, canvas_, controls_).DrawChart(0);
  }
  // The eight captions, highest bit first, and whether each has its state's colours.
  std::string Captions() const {
    std::string all;
    for (const Indicator label : kLabels) {
      const IndicatorState& s = controls_.IndicatorOf(label);
      const bool yes = !s.caption.empty() && s.caption.back() == 'Y';
      EXPECT_EQ(s.background, yes ? clYellow : clBlue) << s.caption;
      EXPECT_EQ(s.fontColor, yes ? clBlack : clWhite) << s.caption;
      all += (all.empty() ? "" : " ") + s.caption;
    }
    return all;
  }

  LogData log_;
  int32_t position_ = 0;
  RecordingCanvas canvas_;
  FakeChartControls controls_;
};

TEST_F(IndicatorsTest, StatusDecodesIntoEightLabels) {
  const std::string none = "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N";
  const std::string all = "EBIT8:Y EBIT7:Y DECEL:Y ACCEL:Y WRMUP:Y AFTSTRT:Y CRANK:Y RUN:Y";
  const struct {
    const char* status;
    std::string captions;
  } cases[] = {
      {"", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTSTRT:N CRANK:N RUN:N"},
      {"0", none},
      {"1", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:Y"},
      {"3", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:Y RUN:Y"},
      {"5", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTSTRT:Y CRANK:N RUN:Y"},
      {"24", "EBIT8:N EBIT7:N DECEL:N ACCEL:Y WRMUP:Y AFTRSTRT:N CRANK:N RUN:N"},
      {"192", "EBIT8:Y EBIT7:Y DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N"},
      {"160", "EBIT8:Y EBIT7:N DECEL:Y ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N"},
      {"255", all},
      {"256", all},
      {"1000", all},
      {"-1", none},
      {" 5", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTSTRT:Y CRANK:N RUN:Y"},
      {"+9", "EBIT8:N EBIT7:N DECEL:N ACCEL:N WRMUP:Y AFTRSTRT:N CRANK:N RUN:Y"},
      {"$40", "EBIT8:N EBIT7:Y DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N"},
      {"0x80", "EBIT8:Y EBIT7:N DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("status '") + c.status + "'");
    DrawWithStatus(c.status);
    EXPECT_EQ(Captions(), c.captions);
  }
}

TEST_F(IndicatorsTest, LabelsFollowEveryFrame) {
  DrawWithStatus("255");
  DrawWithStatus("64");
  EXPECT_EQ(Captions(), "EBIT8:N EBIT7:Y DECEL:N ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N");
}

TEST_F(IndicatorsTest, TextThatIsNotAnIntegerTouchesNoLabel) {
  for (const char* status : {"5 ", "1.0", "abc", "99999999999"}) {
    SCOPED_TRACE(status);
    DrawWithStatus("160");
    controls_.ClearWrites();
    try {
      DrawWithStatus(status);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), "'" + std::string(status) + "' is not a valid integer value");
    }
    EXPECT_TRUE(controls_.writes().empty());
    EXPECT_EQ(Captions(), "EBIT8:Y EBIT7:N DECEL:Y ACCEL:N WRMUP:N AFTRSTRT:N CRANK:N RUN:N");
  }
}

}  // namespace
}  // namespace tarvelin::testing
