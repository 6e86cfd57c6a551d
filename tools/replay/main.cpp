// tarvelin-replay [LOG]: runs the viewer's real window headless from a script on stdin.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/application.h"
#include "tools/replay/replay_session.h"

namespace {

constexpr const char* kHelp = R"(usage: tarvelin-replay [LOG] < SCRIPT

Starts the viewer exactly as `tarvelin [LOG]` would (the start-up open-log run takes LOG as
the first argument), on Qt's offscreen platform (no display needed), then reads commands from
standard input, one per line, and runs each as the real event would run on the UI thread:

  click NAME        a click on the control NAME (a check box toggles, then its handler runs);
                    a hidden or unknown control prints "refused: NAME" and nothing happens
  dialog PATH       the answer the next file dialog gives: a file path ...
  dialog cancel     ... or a cancel (with no answer waiting, a dialog is cancelled)
  select N          selects item N of marklbox (-1: no selection) and delivers its click
  tick [N]          N ticks of runtimer (default 1), each delivered only while it is enabled
  paint             a paint request of the main window
  key KEYS          a key press as the focused window gets it, e.g. "key Alt+O", "key Return"
  dump              one line of JSON: Position, RecordCount, MarkCount, MarkTable, O2Mode,
                    LogLoaded, StartupFlag and "controls": per control by its layout name its
                    "caption", "visible", and for check boxes "checked" (and "color"), for labels
                    "color" and "fontColor" ("0x00BBGGRR"), for marklbox "items" and
                    "itemIndex", for runtimer "enabled" and "interval"; the window as "Form1"
  records FROM TO   one JSON line per slot FROM..TO (those the arrays hold) with "slot" and
                    the seventeen channel values by name; reals read back exactly
  shot PATH         the window's client area as the user sees it, as a PNG
  stats             one line of JSON: "residentBytes", "peakResidentBytes", "openFiles",
                    "regions" (live clip region objects), "widgets" (the window's objects)

Output is UTF-8; texts from a log file are Latin-1 bytes, one byte one character. Each
message that reaches the error report prints "error: TEXT" (the box's text, period included,
then " | " and the place, if any) at the moment it would show; the script goes on as if OK
had been pressed. At the end of input (or on Quit) the program ends; exit code 0, or 2 for a
line it cannot parse, which it names on standard error.
)";

// The offscreen platform's notes about what it cannot do (raise a window, size hints) are
// noise on a script's standard error; everything else is passed on.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtWarningMsg || type == QtInfoMsg || type == QtDebugMsg) {
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths:"))
      return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const std::string firstArgument = argc > 1 ? argv[1] : "";
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FilterQtMessages);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  tarvelin::ConfigureApplication(app);

  int exitCode = 0;
  {
    tarvelin::ReplaySession session(std::cout, firstArgument);
    std::string line;
    for (long number = 1; std::getline(std::cin, line); ++number) {
      const auto outcome = session.Run(line);
      if (outcome == tarvelin::ReplaySession::Outcome::kUnparsable) {
        std::cout.flush();
        std::cerr << "tarvelin-replay: cannot parse line " << number << ": " << line << std::endl;
        exitCode = 2;
        break;
      }
      if (outcome == tarvelin::ReplaySession::Outcome::kQuit) break;
    }
  }
  std::cout.flush();
  return exitCode;
}
