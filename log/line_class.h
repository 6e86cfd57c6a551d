#pragma once
// The class of a datalog line, decided by its first characters.
#include <cstring>
#include <string_view>

namespace tarvelin {

enum class LineClass { kEmpty, kComment, kMark, kHeader, kData };

inline LineClass ClassifyLine(std::string_view line) {
  if (line.empty()) return LineClass::kEmpty;
  if (line[0] == '"') {
    return line.size() >= 5 && std::memcmp(line.data(), "\"MARK", 5) == 0 ? LineClass::kMark
                                                                          : LineClass::kComment;
  }
  return line[0] == 'T' ? LineClass::kHeader : LineClass::kData;
}

}  // namespace tarvelin
