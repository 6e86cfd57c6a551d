#pragma once
// Every event handler of the window runs through here: the event starts on an unrestricted
// surface, and any failure that leaves the handler goes to the error report, after which the
// program goes on with the next event.
#include <functional>

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

  bool ReportOpen() const { return reportOpen_; }
  void SetReport(ErrorReport& report) { report_ = &report; }

 private:
  void Report(const std::string& message, const std::string& place);

  Canvas& surface_;
  ErrorReport* report_;
  bool reportOpen_ = false;
};

}  // namespace tarvelin
