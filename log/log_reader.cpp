#include "log/log_reader.h"

#include <algorithm>
#include <new>
#include <thread>

#include "log/decode_pass.h"
#include "log/line_count.h"
#include "log/log_file.h"
#include "log/slot_count.h"
#include "log/status_text.h"

namespace tarvelin {
namespace {

// Every channel at its final length, once, from the counts of the first pass.
void Allocate(LogData& data, const LineCounts& counts, const std::string& fileName) {
  int32_t slots;
  try {
    slots = SlotCountFor(counts.records);
  } catch (Failure& failure) {
    failure.setPlace(fileName);
    throw;
  }
  data.RecordCount = counts.records;
  data.MarkCount = counts.marks;
  data.MarkTable.assign(static_cast<size_t>(counts.marks), 0);
  data.TIME.Allocate(slots);
  for (Channel<int32_t>* channel :
       {&data.SECL, &data.RPM, &data.MAP, &data.TPS, &data.CLT, &data.GEGO, &data.VE1, &data.VE2})
    channel->Allocate(slots);
  for (Channel<double>* channel :
       {&data.O2, &data.MAT, &data.PW1, &data.PW2, &data.DC1, &data.DC2, &data.AFR})
    channel->Allocate(slots);
  data.ENGINE.Allocate(slots);
  data.O2Mode = 1;
  data.LogLoaded = true;
}

int DecodeThreads(const LoadOptions& options) {
  if (options.decodeThreads > 0) return options.decodeThreads;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

}  // namespace

LoadedLog LoadLog(const std::string& fileName) { return LoadLog(fileName, LoadOptions{}); }

LoadedLog LoadLog(const std::string& fileName, const LoadOptions& options) {
  try {
    const LogFile file(fileName);
    const LineCounts counts = CountLines(file, options.blockBytes);
    if (counts.bytes == 0) throw Failure("File is empty: " + fileName, fileName);

    LoadedLog log;
    Allocate(log.data, counts, fileName);
    DecodePass(file, DecodeSettings{DecodeThreads(options), options.blockBytes}, log.data,
               log.markLines);
    log.statusText =
        LoadStatusText(fileName, log.data.RecordCount, log.data.O2Mode, HeapBytesInUse());
    return log;
  } catch (const std::bad_alloc&) {
    throw Failure(kOutOfMemory, fileName);
  }
}

}  // namespace tarvelin
