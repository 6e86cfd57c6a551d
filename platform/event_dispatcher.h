#pragma once
// Every event handler of the window runs through here: the event starts on an unrestricted
// surface, and any failure that leaves the handler goes to the error report, after which the
// program goes on with the next event.
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/error_report.h"

namespace tarvelin {

class EventDispatcher {
 public:
  EventDispatcher(Canvas& surface, ErrorReport& report) : surface_(surface), report_(&report) {}

  void Dispatch(const std::function<void()>& handler);
  // A timer tick: skipped while a report is open, so a failing playback frame does not
  // stack a new box on every tick.
  void DispatchTick(const std::function<void()>& handler);

  // A paint request of the window system. Closing a report uncovers the window, and the
  // repaint that follows redraws the very frame that failed: that same failure is not shown
  // again, or the user could never get out of the box.
  void DispatchPaint(const std::function<void()>& handler);

  bool ReportOpen() const { return reportOpen_; }
  void SetReport(ErrorReport& report) { report_ = &report; }

 private:
  void Run(const std::function<void()>& handler, bool repeatedFailureShown);
  void Report(const std::string& message, const std::string& place, bool repeatedFailureShown);

  Canvas& surface_;
  ErrorReport* report_;
  bool reportOpen_ = false;
  std::string lastReport_;  // message and place of the last failure shown
};

}  // namespace tarvelin
