#pragma once
// Reads the datalog in large blocks that each hold whole lines only, and walks their lines.
// Lines end at a line feed; a carriage return before it is not part of the line.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "log/log_file.h"

namespace tarvelin {

inline constexpr size_t kDefaultBlockBytes = size_t{4} << 20;

struct Block {
  std::unique_ptr<char[]> bytes;
  size_t capacity = 0;
  size_t size = 0;
};

class LineBlocks {
 public:
  LineBlocks(const LogFile& file, size_t blockBytes);

  // Fills `block` with the next whole lines, each ending in a line feed (one is supplied
  // after a last line that has none). A line longer than the block grows the block.
  // Returns false once the file is exhausted.
  bool Next(Block& block);
  uint64_t bytesRead() const { return offset_; }

 private:
  void Grow(Block& block, size_t capacity);

  const LogFile& file_;
  size_t blockBytes_;
  uint64_t offset_ = 0;
  bool endOfFile_ = false;
  std::vector<char> carry_;  // the start of a line that the previous block cut off
};

// Calls f(line) for each line of a block filled by LineBlocks, in order.
template <class F>
void ForEachLine(const char* bytes, size_t size, F&& f) {
  const char* p = bytes;
  const char* const end = bytes + size;
  while (p < end) {
    const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
    if (lineEnd == nullptr) lineEnd = end;  // cannot happen with a well-formed block
    size_t length = static_cast<size_t>(lineEnd - p);
    if (length > 0 && p[length - 1] == '\r') --length;
    f(std::string_view(p, length));
    p = lineEnd + 1;
  }
}

}  // namespace tarvelin
