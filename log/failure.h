#pragma once
// The one kind of error the program raises: a user-facing message, plus where it arose
// (file, line, field, channel) when that is known, for the error report to show under it.
#include <stdexcept>
#include <string>

namespace tarvelin {

inline constexpr const char* kRangeCheckError = "Range check error";
inline constexpr const char* kIntegerOverflow = "Integer overflow";
inline constexpr const char* kFloatingPointOverflow = "Floating point overflow";
inline constexpr const char* kInvalidFloatingPointOperation = "Invalid floating point operation";
inline constexpr const char* kOutOfMemory = "Out of memory";

class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message, std::string place = {})
      : std::runtime_error(message), message_(message), place_(std::move(place)) {}

  // The whole message; what() stops at a NUL byte that quoted text may hold.
  const std::string& message() const { return message_; }

  // Where the failure arose, e.g. "sample.xls, line 12, field 3 (MAP)"; empty when unknown.
  const std::string& place() const { return place_; }
  void setPlace(std::string place) { place_ = std::move(place); }

 private:
  std::string message_;
  std::string place_;
};

}  // namespace tarvelin
