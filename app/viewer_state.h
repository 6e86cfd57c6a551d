#pragma once
// The viewer's state outside the window: the one loaded log, the cursor record and the flag
// that makes the first open-log run take its file from the command line.
#include <cstdint>
#include <string>

#include "log/log_data.h"

namespace tarvelin {

struct ViewerState {
  LogData Log;
  int32_t Position = 0;
  bool StartupFlag = true;
  std::string FirstArgument;  // the program's first command-line argument, if any
};

}  // namespace tarvelin
