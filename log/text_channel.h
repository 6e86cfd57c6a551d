#pragma once
// A bounds-checked text channel kept compact: all texts of the channel in one byte buffer,
// with the end offset of each slot's text, rather than one heap string per slot.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "log/failure.h"

namespace tarvelin {

class TextChannel {
 public:
  // Gives the channel `slots` empty texts; the earlier content is gone.
  void Allocate(int32_t slots) {
    ends_ = std::make_unique<uint32_t[]>(static_cast<size_t>(slots));
    size_ = slots;
    bytes_.clear();
    bytes_.shrink_to_fit();
    written_ = 0;
  }
  int32_t size() const { return size_; }

  std::string_view at(int32_t slot) const {
    if (slot < 0 || slot >= size_) throw Failure(kRangeCheckError);
    if (slot >= written_) return {};  // never written: empty
    const size_t i = static_cast<size_t>(slot);
    const uint32_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }

  // Writes the text of `slot`; slots must be written in ascending order (the ones skipped
  // stay empty). Refuses a channel whose texts would pass 4 GiB.
  void Append(int32_t slot, std::string_view text) {
    if (slot < written_ || slot >= size_) throw Failure(kRangeCheckError);
    if (bytes_.size() + text.size() > UINT32_MAX) throw Failure(kOutOfMemory);
    const uint32_t previousEnd = static_cast<uint32_t>(bytes_.size());
    for (int32_t s = written_; s < slot; ++s) ends_[static_cast<size_t>(s)] = previousEnd;
    bytes_.append(text);
    ends_[static_cast<size_t>(slot)] = static_cast<uint32_t>(bytes_.size());
    written_ = slot + 1;
  }

 private:
  std::unique_ptr<uint32_t[]> ends_;
  std::string bytes_;
  int32_t size_ = 0;
  int32_t written_ = 0;
};

}  // namespace tarvelin
