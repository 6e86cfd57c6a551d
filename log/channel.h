#pragma once
// A bounds-checked numeric channel array indexed by slot (record number + 1000).
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

#include "log/failure.h"

namespace tarvelin {

// Zeroed arrays from calloc: fresh pages are zero already, so a large channel costs no
// clearing pass, and its pages are first touched by whichever thread fills them.
struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

template <class T>
std::unique_ptr<T[], FreeDeleter> ZeroedArray(size_t count) {
  static_assert(std::is_arithmetic_v<T>, "all-zero bytes must read as 0");
  T* p = static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T)));
  if (p == nullptr) throw std::bad_alloc();
  return std::unique_ptr<T[], FreeDeleter>(p);
}

template <class T>
class Channel {
 public:
  // Gives the channel `slots` empty (zero) slots; the earlier content is gone.
  void Allocate(int32_t slots) {
    values_.reset();  // the old array goes first, so both never need room at once
    values_ = ZeroedArray<T>(static_cast<size_t>(slots));
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
  std::unique_ptr<T[], FreeDeleter> values_;
  int32_t size_ = 0;
};

}  // namespace tarvelin
