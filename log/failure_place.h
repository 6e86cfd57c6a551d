#pragma once
// Texts for Failure::place(): "sample.xls, line 12, field 3 (MAP)".
#include <cstdint>
#include <string>

namespace tarvelin {

inline std::string LinePlace(const std::string& fileName, int64_t line) {
  return fileName + ", line " + std::to_string(line);
}

inline std::string FieldPlace(int field, const char* channel) {
  return "field " + std::to_string(field) + " (" + channel + ")";
}

}  // namespace tarvelin
