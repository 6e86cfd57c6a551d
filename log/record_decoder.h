#pragma once
// Decodes one data line into one slot of every channel.
#include <cstdint>
#include <string_view>

#include "log/log_data.h"
#include "log/text_run.h"
#include "log/wideband_tracker.h"

namespace tarvelin {

class RecordDecoder {
 public:
  explicit RecordDecoder(LogData& data);

  // Stores the fields of `line` into `slot` (TIME and ENGINE into the runs). Throws Failure
  // whose place names the field and channel ("field 3 (MAP)") when one field is at fault.
  void Decode(std::string_view line, int32_t slot, int64_t lineNumber, TextRun& time,
              TextRun& engine, WidebandTracker& wideband) const;

 private:
  int32_t* integers_[21] = {};
  double* reals_[21] = {};
  double* afr_;
};

// Finds up to 25 tabs; returns their number, 25 meaning "too many".
int FindTabs(std::string_view line, size_t* positions);

}  // namespace tarvelin
