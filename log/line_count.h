#pragma once
// The first pass over a datalog: how many slots and marks the second pass will need.
#include <cstdint>

#include "log/log_file.h"

namespace tarvelin {

struct LineCounts {
  int32_t records = 0;  // header and data lines
  int32_t marks = 0;
  uint64_t bytes = 0;
};

// Throws "Integer overflow" when a count passes the 32-bit range, and a read error as the
// platform words it. Empty lines are not counted.
LineCounts CountLines(const LogFile& file, size_t blockBytes);

}  // namespace tarvelin
