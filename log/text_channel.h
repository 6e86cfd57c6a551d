#pragma once
// A bounds-checked text channel kept compact: the texts of consecutive slots packed into a
// few byte buffers (chunks), with the end offset of each slot's text in its chunk, rather than
// one heap string per slot. A bulk writer hands over whole chunks, so they are never copied.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/channel.h"
#include "log/failure.h"

namespace tarvelin {

class TextChannel {
 public:
  // Gives the channel `slots` empty texts; the earlier content is gone.
  void Allocate(int32_t slots) {
    ends_.reset();
    ends_ = ZeroedArray<uint32_t>(static_cast<size_t>(slots));
    size_ = slots;
    chunks_.clear();
    chunks_.shrink_to_fit();
    written_ = 0;
  }
  int32_t size() const { return size_; }

  std::string_view at(int32_t slot) const {
    if (slot < 0 || slot >= size_) throw Failure(kRangeCheckError);
    if (slot >= written_) return {};  // never written: empty
    // The chunk holding the slot: the last one that starts at or before it.
    const auto next = std::upper_bound(chunks_.begin(), chunks_.end(), slot,
                                       [](int32_t s, const Chunk& c) { return s < c.firstSlot; });
    if (next == chunks_.begin()) return {};  // skipped before the first text
    const Chunk& chunk = *(next - 1);
    const size_t i = static_cast<size_t>(slot);
    const uint32_t begin = slot == chunk.firstSlot ? 0 : ends_[i - 1];
    return std::string_view(chunk.bytes).substr(begin, ends_[i] - begin);
  }

  // Writes the text of `slot`; slots must be written in ascending order (the ones skipped
  // stay empty). Refuses a chunk whose texts would pass 4 GiB.
  void Append(int32_t slot, std::string_view text) {
    if (slot < written_ || slot >= size_) throw Failure(kRangeCheckError);
    if (chunks_.empty()) chunks_.push_back(Chunk{written_, {}});
    std::string& bytes = chunks_.back().bytes;
    if (bytes.size() + text.size() > UINT32_MAX) throw Failure(kOutOfMemory);
    FillSkipped(slot, static_cast<uint32_t>(bytes.size()));
    bytes.append(text);
    ends_[static_cast<size_t>(slot)] = static_cast<uint32_t>(bytes.size());
    written_ = slot + 1;
  }

  // Writes the texts of the slots from `firstSlot` on, one per entry of `lengths`, taken in
  // turn from `texts`, which the channel keeps; the same order rule as Append.
  void AppendRun(int32_t firstSlot, std::span<const uint32_t> lengths, std::string texts) {
    if (firstSlot < written_ ||
        static_cast<int64_t>(firstSlot) + static_cast<int64_t>(lengths.size()) > size_)
      throw Failure(kRangeCheckError);
    if (texts.size() > UINT32_MAX) throw Failure(kOutOfMemory);
    uint64_t total = 0;
    for (uint32_t length : lengths) total += length;
    if (total != texts.size()) throw Failure(kRangeCheckError);
    if (lengths.empty()) return;
    FillSkipped(firstSlot,
                chunks_.empty() ? 0 : static_cast<uint32_t>(chunks_.back().bytes.size()));
    uint32_t end = 0;
    size_t slot = static_cast<size_t>(firstSlot);
    for (uint32_t length : lengths) ends_[slot++] = end += length;
    chunks_.push_back(Chunk{firstSlot, std::move(texts)});
    written_ = firstSlot + static_cast<int32_t>(lengths.size());
  }

 private:
  struct Chunk {
    int32_t firstSlot;
    std::string bytes;
  };

  // Skipped slots read empty: they end where the text before them ends.
  void FillSkipped(int32_t upTo, uint32_t end) {
    for (int32_t s = written_; s < upTo; ++s) ends_[static_cast<size_t>(s)] = end;
  }

  std::unique_ptr<uint32_t[], FreeDeleter> ends_;
  std::vector<Chunk> chunks_;
  int32_t size_ = 0;
  int32_t written_ = 0;
};

}  // namespace tarvelin
