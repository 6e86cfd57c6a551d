#pragma once
// The second pass: decodes every data line into its slot and collects the marks, on several
// threads where that helps. The store must be allocated from the first pass's counts.
#include <string>
#include <vector>

#include "log/log_data.h"
#include "log/log_file.h"

namespace tarvelin {

struct DecodeSettings {
  int threads = 1;  // 1: all on the calling thread
  size_t blockBytes = 0;
};

// Fills `data` (records, MarkTable, MarkCount, O2Mode) and `markLines`. Throws the failure
// that comes first in the file, with its place. A file that changed since it was counted
// leaves a consistent store: fewer marks shrink MarkTable; more records or marks than
// counted are a "Range check error".
void DecodePass(const LogFile& file, const DecodeSettings& settings, LogData& data,
                std::vector<std::string>& markLines);

}  // namespace tarvelin
