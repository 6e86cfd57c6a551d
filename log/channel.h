#pragma once
// A bounds-checked numeric channel array indexed by slot (record number + 1000).
#include <cstdint>
#include <memory>

#include "log/failure.h"

namespace tarvelin {

template <class T>
class Channel {
 public:
  // Gives the channel `slots` empty (zero) slots; the earlier content is gone.
  void Allocate(int32_t slots) {
    values_ = std::make_unique<T[]>(static_cast<size_t>(slots));  // value-initialised: zeros
    size_ = slots;
  }
  int32_t size() const { return size_; }

  T at(int32_t slot) const {
    Check(slot);
    return values_[static_cast<size_t>(slot)];
  }
  void set(int32_t slot, T value) {
    Check(slot);
    values_[static_cast<size_t>(slot)] = value;
  }
  // Unchecked access for the reader's inner loop, which has validated its slot range.
  T* data() { return values_.get(); }
  const T* data() const { return values_.get(); }

 private:
  void Check(int32_t slot) const {
    if (slot < 0 || slot >= size_) throw Failure(kRangeCheckError);
  }
  std::unique_ptr<T[]> values_;
  int32_t size_ = 0;
};

}  // namespace tarvelin
