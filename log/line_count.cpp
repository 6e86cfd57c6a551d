#include "log/line_count.h"

#include "log/checked_math.h"
#include "log/failure_place.h"
#include "log/line_blocks.h"
#include "log/line_class.h"

namespace tarvelin {

LineCounts CountLines(const LogFile& file, size_t blockBytes) {
  LineCounts counts;
  LineBlocks blocks(file, blockBytes);
  Block block;
  int64_t lineNumber = 0;
  while (blocks.Next(block)) {
    ForEachLine(block.bytes.get(), block.size, [&](std::string_view line) {
      ++lineNumber;
      const LineClass kind = ClassifyLine(line);
      try {
        if (kind == LineClass::kHeader || kind == LineClass::kData)
          counts.records = CheckedAdd(counts.records, 1);
        else if (kind == LineClass::kMark)
          counts.marks = CheckedAdd(counts.marks, 1);
      } catch (Failure& failure) {
        failure.setPlace(LinePlace(file.name(), lineNumber));
        throw;
      }
    });
  }
  counts.bytes = blocks.bytesRead();
  return counts;
}

}  // namespace tarvelin
