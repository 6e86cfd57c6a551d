#pragma once
// The texts of consecutive slots of one text channel, gathered apart from the channel so
// that batches can be decoded side by side and joined in slot order afterwards.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/failure.h"

namespace tarvelin {

struct TextRun {
  std::string bytes;
  std::vector<uint32_t> lengths;

  void Add(std::string_view text) {
    if (text.size() > UINT32_MAX) throw Failure(kOutOfMemory);
    bytes.append(text);
    lengths.push_back(static_cast<uint32_t>(text.size()));
  }
};

}  // namespace tarvelin
