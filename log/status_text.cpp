#include "log/status_text.h"

#include <malloc.h>

namespace tarvelin {

uint64_t HeapBytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<uint64_t>(info.uordblks) + static_cast<uint64_t>(info.hblkhd);
}

std::string LoadStatusText(const std::string& fileName, int32_t recordCount, int32_t o2Mode,
                           uint64_t heapBytes) {
  std::string text = " Log File: " + fileName + "; " + std::to_string(recordCount) + " Records";
  text += o2Mode == 1 ? "; NB O2 Sensor Detected; " : "; WB O2 Sensor Detected; ";
  text += std::to_string(heapBytes) + " Mem Used ";
  return text;
}

}  // namespace tarvelin
