// Failures that leave a handler reach the error report once, with their text and place.
#include "platform/event_dispatcher.h"

#include <gtest/gtest.h>

#include <new>

#include "log/failure.h"
#include "platform/error_report.h"
#include "tests/support/recording_canvas.h"

namespace tarvelin {
namespace {

struct Shown {
  std::string message, place;
};

class ListReport : public ErrorReport {
 public:
  std::vector<Shown> shown;
  std::function<void()> whileOpen;
  void Show(const std::string& message, const std::string& place) override {
    shown.push_back({ReportMessage(message), place});
    if (whileOpen) whileOpen();
  }
};

TEST(ReportMessage, AppendsAPeriodAfterALetterOrDigit) {
  const std::pair<const char*, const char*> cases[] = {
      {"Range check error", "Range check error."},
      {"I/O error 5", "I/O error 5."},
      {"'x' is not a valid integer value", "'x' is not a valid integer value."},
      {"Done.", "Done."},
      {"Ends in a quote'", "Ends in a quote'"},
      {"Ends in a bracket)", "Ends in a bracket)"},
      {"", ""},
  };
  for (const auto& [message, expected] : cases) EXPECT_EQ(ReportMessage(message), expected);
}

TEST(EventDispatcher, ReportsFailuresWithTheirPlaceAndGoesOn) {
  testing::RecordingCanvas canvas;
  ListReport report;
  EventDispatcher dispatcher(canvas, report);
  dispatcher.Dispatch([] { throw Failure("Range check error", "log.xls, line 3"); });
  dispatcher.Dispatch([] { throw std::bad_alloc(); });
  bool ran = false;
  dispatcher.Dispatch([&] { ran = true; });
  ASSERT_EQ(report.shown.size(), 2u);
  EXPECT_EQ(report.shown[0].message, "Range check error.");
  EXPECT_EQ(report.shown[0].place, "log.xls, line 3");
  EXPECT_EQ(report.shown[1].message, "Out of memory.");
  EXPECT_TRUE(ran);
  EXPECT_FALSE(dispatcher.ReportOpen());
}

TEST(EventDispatcher, EveryEventStartsUnrestricted) {
  testing::RecordingCanvas canvas;
  ListReport report;
  EventDispatcher dispatcher(canvas, report);
  canvas.RestrictTo(Rect{200, 0, 800, 600});
  dispatcher.Dispatch([&] { EXPECT_EQ(canvas.Restriction(), kUnrestricted); });
}

TEST(EventDispatcher, TicksAndFailuresWhileAReportIsOpenDoNotStackBoxes) {
  testing::RecordingCanvas canvas;
  ListReport report;
  EventDispatcher dispatcher(canvas, report);
  int ticks = 0;
  report.whileOpen = [&] {
    dispatcher.DispatchTick([&] { ++ticks; });
    dispatcher.Dispatch([] { throw Failure("Integer overflow"); });
  };
  dispatcher.DispatchTick([] { throw Failure("Range check error"); });
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(report.shown.size(), 1u);
  report.whileOpen = nullptr;
  dispatcher.DispatchTick([&] { ++ticks; });
  EXPECT_EQ(ticks, 1);
}

TEST(EventDispatcher, ARepaintDoesNotShowTheFailureJustShownAgain) {
  testing::RecordingCanvas canvas;
  ListReport report;
  EventDispatcher dispatcher(canvas, report);
  auto badFrame = [] { throw Failure("'x' is not a valid integer value"); };
  dispatcher.Dispatch(badFrame);
  dispatcher.DispatchPaint(badFrame);  // the window uncovered by the closed box
  EXPECT_EQ(report.shown.size(), 1u);
  dispatcher.Dispatch(badFrame);  // the user asked for that frame again
  EXPECT_EQ(report.shown.size(), 2u);
  dispatcher.DispatchPaint([] { throw Failure("Range check error"); });  // a new failure
  EXPECT_EQ(report.shown.size(), 3u);
}

}  // namespace
}  // namespace tarvelin
