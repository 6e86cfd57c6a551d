// The open-log command: choose a file (the command line at start-up, the dialog later), load
// it whole, then reveal the navigation, draw the legend, build the mark entries and draw the
// chart at the first record. A cancelled dialog or a failed load changes nothing.
#include <string>

#include "app/main_window.h"
#include "log/checked_math.h"
#include "log/log_reader.h"

namespace tarvelin {

namespace {

// A raw mark line without its first and last character, and where its record stands.
std::string MarkEntry(const std::string& rawLine, std::string_view markTime) {
  std::string entry = rawLine.size() >= 2 ? rawLine.substr(1, rawLine.size() - 2) : std::string();
  entry += " at ";
  entry += markTime;
  entry += " Seconds Elapsed Time ";
  return entry;
}

}  // namespace

void TForm1::openlogClick() {
  OpenDialog1.Filter = "Kelvane Log Files|*.XLS";

  std::optional<std::string> name;
  if (state_.StartupFlag) {
    if (!state_.FirstArgument.empty()) name = state_.FirstArgument;
  } else {
    name = OpenDialog1.Execute(this);
  }
  state_.StartupFlag = false;
  if (!name) return;

  LoadedLog loaded = LoadLog(*name);  // throws, leaving everything as it was

  // The whole file has been read: only now does it replace what the user had.
  state_.Log = std::move(loaded.data);
  state_.Position = 0;
  buttonbox->setTitle(Latin1(loaded.statusText));
  marklbox->clear();
  for (const std::string& line : loaded.markLines) marklbox->addItem(Latin1(line));

  for (QPushButton* button :
       {fastreverse, slowreverse, slowforward, fastforward, SSReverse, SSForward, endbtn, startbtn})
    button->show();
  if (state_.Log.MarkCount > 0) MARKList->show();
  runbtn->show();

  chart_.DrawLegend();

  for (int32_t i = 0; i < state_.Log.MarkCount; ++i) {
    const int32_t slot = CheckedAdd(state_.Log.MarkAt(i), LeadIn);
    marklbox->item(i)->setText(
        Latin1(MarkEntry(loaded.markLines[static_cast<size_t>(i)], state_.Log.TIME.at(slot))));
  }

  chart_.DrawChart(0);
}

}  // namespace tarvelin
