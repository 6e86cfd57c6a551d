#pragma once
// Reads a datalog file into a fresh LogData. All or nothing: on any failure it throws and
// the caller's store is untouched.
#include <string>
#include <vector>

#include "log/log_data.h"

namespace tarvelin {

struct LoadedLog {
  LogData data;
  std::vector<std::string> markLines;  // the raw mark lines, with their quotes, in file order
  std::string statusText;  // " Log File: ...; N Records; NB O2 Sensor Detected; B Mem Used "
};

// Throws Failure with the user-facing message and, where known, the place it arose.
LoadedLog LoadLog(const std::string& fileName);

// How the load runs; the defaults suit any log. Smaller blocks or one thread change only
// the speed, never the result.
struct LoadOptions {
  int decodeThreads = 0;         // 0: one per core; 1: everything on the calling thread
  size_t blockBytes = 4u << 20;  // read size; blocks grow for a longer line
};
LoadedLog LoadLog(const std::string& fileName, const LoadOptions& options);

}  // namespace tarvelin
