#pragma once
// The default error report: what the user is told when a failure leaves an event handler.
#include <string>

namespace tarvelin {

inline constexpr const char* kApplicationTitle = "Tarvelin 2.25 Beta5";

// The message with a period appended when it ends in a letter or a digit.
std::string ReportMessage(const std::string& message);

class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  // Shows one report and returns once the user has dismissed it. `place` may be empty.
  virtual void Show(const std::string& message, const std::string& place) = 0;
};

// A modal message box: the application title as caption, an error icon and one OK button.
class MessageBoxReport : public ErrorReport {
 public:
  void Show(const std::string& message, const std::string& place) override;
};

}  // namespace tarvelin
