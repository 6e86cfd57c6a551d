#pragma once
// Runs the real main window from a script of commands, one per line, as the real events
// would run them on the UI thread, and prints what a script needs to check.
#include <deque>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/viewer_state.h"
#include "platform/error_report.h"

namespace tarvelin {

// Prints "error: TEXT" (then " | PLACE") where the message box would show, and goes on as if
// OK had been pressed.
class PrintedReport : public ErrorReport {
 public:
  explicit PrintedReport(std::ostream& out) : out_(out) {}
  void Show(const std::string& message, const std::string& place) override;

 private:
  std::ostream& out_;
};

class ReplaySession {
 public:
  ReplaySession(std::ostream& out, const std::string& firstArgument);
  ~ReplaySession();

  enum class Outcome { kContinue, kQuit, kUnparsable };
  // Runs one script line.
  Outcome Run(const std::string& line);

 private:
  void Click(const std::string& name);
  void Select(int index);
  void Tick(long count);
  void Key(const std::string& keys);
  void Dump();
  void Records(long from, long to);
  void Shot(const std::string& path);
  void Stats();
  void Refused(const std::string& name);

  std::ostream& out_;
  ViewerState state_;
  PrintedReport report_;
  std::deque<OpenDialog::Answer> dialogAnswers_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace tarvelin
