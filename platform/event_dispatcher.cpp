#include "platform/event_dispatcher.h"

#include <cstdio>
#include <new>

#include "log/failure.h"

namespace tarvelin {

void EventDispatcher::Dispatch(const std::function<void()>& handler) { Run(handler, true); }

void EventDispatcher::DispatchTick(const std::function<void()>& handler) {
  if (reportOpen_) return;
  Run(handler, true);
}

void EventDispatcher::DispatchPaint(const std::function<void()>& handler) { Run(handler, false); }

void EventDispatcher::Run(const std::function<void()>& handler, bool repeatedFailureShown) {
  surface_.RestrictTo(kUnrestricted);
  try {
    handler();
  } catch (const Failure& failure) {
    Report(failure.message(), failure.place(), repeatedFailureShown);
  } catch (const std::bad_alloc&) {
    Report(kOutOfMemory, {}, repeatedFailureShown);
  } catch (const std::exception& error) {
    Report(error.what(), {}, repeatedFailureShown);
  }
}

void EventDispatcher::Report(const std::string& message, const std::string& place,
                             bool repeatedFailureShown) {
  const std::string report = message + '\n' + place;
  // One box at a time: a failure raised while the user reads another one (a repaint behind
  // the box, say) is not stacked on top of it.
  if (reportOpen_ || (!repeatedFailureShown && report == lastReport_)) {
    std::fprintf(stderr, "%s\n", ReportMessage(message).c_str());
    return;
  }
  lastReport_ = report;
  reportOpen_ = true;
  try {
    report_->Show(message, place);
  } catch (...) {
    reportOpen_ = false;
    throw;
  }
  reportOpen_ = false;
}

}  // namespace tarvelin
