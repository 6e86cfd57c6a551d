#pragma once
// The status line shown after a load, and the heap figure it ends with.
#include <cstdint>
#include <string>

namespace tarvelin {

// Bytes the program holds allocated on its heap right now.
uint64_t HeapBytesInUse();

std::string LoadStatusText(const std::string& fileName, int32_t recordCount, int32_t o2Mode,
                           uint64_t heapBytes);

}  // namespace tarvelin
