#pragma once
// The wideband rule over a run of consecutive records decoded on its own. The run starts
// narrowband; whether an earlier run already went wideband is settled when the runs are
// joined, so the run notes what that join needs: where it switched, and the first record
// before that whose AFR value would overflow.
#include <cstdint>

#include "log/wideband.h"

namespace tarvelin {

class WidebandTracker {
 public:
  // The rule for one record, right after its O2 value is stored.
  void Apply(double o2, double* afr, int32_t slot, int64_t line) {
    if (!wide_ && o2 > kWidebandThreshold) {
      wide_ = true;
      switchSlot_ = slot;
    }
    if (wide_) {
      afr[slot] = WidebandAfr(o2);
    } else if (overflowSlot_ < 0 && !std::isfinite(14.7 * WidebandLambda(o2) * 10)) {
      overflowSlot_ = slot;
      overflowLine_ = line;
    }
  }

  bool wide() const { return wide_; }
  int32_t switchSlot() const { return switchSlot_; }      // -1 while narrowband
  int32_t overflowSlot() const { return overflowSlot_; }  // -1 when none
  int64_t overflowLine() const { return overflowLine_; }

 private:
  bool wide_ = false;
  int32_t switchSlot_ = -1;
  int32_t overflowSlot_ = -1;
  int64_t overflowLine_ = 0;
};

}  // namespace tarvelin
