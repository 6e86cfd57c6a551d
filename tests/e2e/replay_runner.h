#pragma once
// Runs tarvelin-replay as a child process with a script on its standard input, and reads
// back what it printed.
#include <QJsonObject>
#include <string>
#include <vector>

namespace tarvelin::test {

struct ReplayRun {
  int exitCode = -1;
  std::vector<std::string> lines;  // standard output, line by line
  std::string errors;              // standard error

  // The JSON objects of the `dump` lines, in order.
  std::vector<QJsonObject> Dumps() const;
  QJsonObject LastDump() const;
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const;
};

// `arguments` follow the program name (the first one is the log, if any).
ReplayRun RunReplay(const std::vector<std::string>& arguments, const std::string& script);

// A data line of 18 tabs (narrow) with the given fields 0..18; missing fields are "0".
std::string NarrowLine(std::vector<std::string> fields);
// A data line of 21 tabs (wide): fields 0..21.
std::string WideLine(std::vector<std::string> fields);

// A log of `records` narrow data lines after a comment line, no header (so RecordCount ==
// records): record i has TIME "i/10" with one decimal ("0.4" for record 4), SECL i % 256,
// RPM i % 70, MAP 95, O2 0.45, ENGINE 1, PW1 3.5; a mark line "MARK n" follows each record
// listed in `marksAfter` (-1: before the first record).
std::string TestLog(int records, const std::vector<int>& marksAfter = {});

// The state of one control in a `dump`.
QJsonObject ControlOf(const QJsonObject& dump, const char* name);

// A fresh directory under the test's temporary folder.
std::string TempDir();
std::string WriteFile(const std::string& dir, const std::string& name, const std::string& text);

}  // namespace tarvelin::test
