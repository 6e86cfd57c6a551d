#pragma once
// The loaded datalog: seventeen channel arrays of RecordCount + 2000 slots each, record r in
// slot r + 1000, with 1000 empty slots (LeadIn, LeadOut) on either side.
#include <cstdint>
#include <string>
#include <vector>

#include "log/channel.h"
#include "log/text_channel.h"

namespace tarvelin {

inline constexpr int32_t LeadIn = 1000;   // slots before record 0
inline constexpr int32_t LeadOut = 1000;  // slots after the last counted record

struct LogData {
  TextChannel TIME;
  Channel<int32_t> SECL, RPM, MAP, TPS;
  Channel<double> O2, MAT;
  Channel<int32_t> CLT;
  TextChannel ENGINE;
  Channel<int32_t> GEGO, VE1;
  Channel<double> PW1;
  Channel<int32_t> VE2;
  Channel<double> PW2, DC1, DC2, AFR;

  int32_t RecordCount = 0;
  int32_t MarkCount = 0;
  std::vector<int32_t> MarkTable;
  int32_t O2Mode = 0;  // 0 before any load, 1 narrowband, 2 wideband
  bool LogLoaded = false;

  // Bounds-checked MarkTable read ("Range check error" outside it).
  int32_t MarkAt(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= MarkTable.size())
      throw Failure(kRangeCheckError);
    return MarkTable[static_cast<size_t>(index)];
  }
};

}  // namespace tarvelin
