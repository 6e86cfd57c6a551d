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
  std::string statusText;              // " Log File: ...; N Records; NB O2 Sensor Detected; B Mem Used "
};

// Throws Failure with the user-facing message and, where known, the place it arose.
LoadedLog LoadLog(const std::string& fileName);

}  // namespace tarvelin
