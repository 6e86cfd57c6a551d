#include "log/line_blocks.h"

#include <algorithm>
#include <cstring>

namespace tarvelin {

LineBlocks::LineBlocks(const LogFile& file, size_t blockBytes)
    : file_(file), blockBytes_(std::max<size_t>(blockBytes, 64)) {}

void LineBlocks::Grow(Block& block, size_t capacity) {
  auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
  if (block.size > 0) std::memcpy(bytes.get(), block.bytes.get(), block.size);
  block.bytes = std::move(bytes);
  block.capacity = capacity;
}

bool LineBlocks::Next(Block& block) {
  if (endOfFile_ && carry_.empty()) return false;
  block.size = 0;
  if (block.capacity < std::max(blockBytes_, carry_.size() + 2))
    Grow(block, std::max(blockBytes_, 2 * (carry_.size() + 2)));
  if (!carry_.empty()) std::memcpy(block.bytes.get(), carry_.data(), carry_.size());
  block.size = carry_.size();
  carry_.clear();
  for (;;) {
    // One byte stays free for the line feed supplied after an unterminated last line.
    if (!endOfFile_ && block.capacity - block.size < 2) Grow(block, 2 * block.capacity);
    if (!endOfFile_) {
      const size_t wanted = block.capacity - block.size - 1;
      const size_t got = file_.ReadAt(offset_, block.bytes.get() + block.size, wanted);
      offset_ += got;
      block.size += got;
      if (got < wanted) endOfFile_ = true;
    }
    if (endOfFile_) {
      if (block.size == 0) return false;
      if (block.bytes[block.size - 1] != '\n') block.bytes[block.size++] = '\n';
      return true;
    }
    const void* last = ::memrchr(block.bytes.get(), '\n', block.size);
    if (last != nullptr) {
      const size_t used =
          static_cast<size_t>(static_cast<const char*>(last) - block.bytes.get()) + 1;
      carry_.assign(block.bytes.get() + used, block.bytes.get() + block.size);
      block.size = used;
      return true;
    }
    // No line end in a full block: the line is longer than the block.
  }
}

}  // namespace tarvelin
