#include "platform/event_dispatcher.h"

#include <cstdio>
#include <new>

#include "log/failure.h"

namespace tarvelin {

void EventDispatcher::Dispatch(const std::function<void()>& handler) {
  surface_.RestrictTo(kUnrestricted);
  try {
    handler();
  } catch (const Failure& failure) {
    Report(failure.what(), failure.place());
  } catch (const std::bad_alloc&) {
    Report(kOutOfMemory, {});
  } catch (const std::exception& error) {
    Report(error.what(), {});
  }
}

void EventDispatcher::DispatchTick(const std::function<void()>& handler) {
  if (reportOpen_) return;
  Dispatch(handler);
}

void EventDispatcher::Report(const std::string& message, const std::string& place) {
  if (reportOpen_) {
    // One box at a time: a failure raised while the user reads another one (a repaint behind
    // the box, say) is not stacked on top of it.
    std::fprintf(stderr, "%s\n", ReportMessage(message).c_str());
    return;
  }
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
