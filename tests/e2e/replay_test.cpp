// The user's paths through the real window, driven headless by tarvelin-replay.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/e2e/replay_runner.h"

namespace tarvelin::test {
namespace {

struct Fixture {
  std::string dir = TempDir();
  std::string Log(const std::string& name, const std::string& text) {
    return WriteFile(dir, name, text);
  }
};

TEST(ReplayStartup, WithoutLogShowsTheWindowAsLaidOut) {
  const ReplayRun run = RunReplay({}, "dump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const QJsonObject dump = run.LastDump();
  EXPECT_FALSE(dump["LogLoaded"].toBool());
  EXPECT_FALSE(dump["StartupFlag"].toBool());
  EXPECT_EQ(dump["Position"].toInt(), 0);
  EXPECT_EQ(dump["O2Mode"].toInt(), 0);
  EXPECT_EQ(ControlOf(dump, "Form1")["caption"].toString(),
            "Tarvelin 2.25 Beta 5 / RUN / MARK GOTO /  All Engine Bit Display");
  EXPECT_EQ(ControlOf(dump, "buttonbox")["caption"].toString(),
            " NO LOG FILE LOADED - Click on \"Open\" button below to load a logfile ");
  for (const char* shown : {"openlog", "quit"})
    EXPECT_TRUE(ControlOf(dump, shown)["visible"].toBool()) << shown;
  for (const char* hidden :
       {"startbtn", "fastreverse", "slowreverse", "SSReverse", "SSForward", "slowforward",
        "fastforward", "endbtn", "runbtn", "MARKList", "marklbox"})
    EXPECT_FALSE(ControlOf(dump, hidden)["visible"].toBool()) << hidden;
  EXPECT_EQ(ControlOf(dump, "openlog")["caption"].toString(), "&Open");
  EXPECT_EQ(ControlOf(dump, "rpmcb")["caption"].toString(), "RPM");
  EXPECT_TRUE(ControlOf(dump, "rpmcb")["checked"].toBool());
  EXPECT_FALSE(ControlOf(dump, "seclcb")["checked"].toBool());
  EXPECT_EQ(ControlOf(dump, "egocor")["caption"].toString(), "EGCOR:");
  EXPECT_EQ(ControlOf(dump, "RUNNING")["caption"].toString(), "RUN: N");
  EXPECT_EQ(ControlOf(dump, "RUNNING")["color"].toString(), "0x00FF0000");
  EXPECT_EQ(ControlOf(dump, "RUNNING")["fontColor"].toString(), "0x00FFFFFF");
  EXPECT_EQ(ControlOf(dump, "engbits")["caption"].toString(), "Engine Bits =->");
  EXPECT_FALSE(ControlOf(dump, "runtimer")["enabled"].toBool());
  EXPECT_EQ(ControlOf(dump, "runtimer")["interval"].toInt(), 200);
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
}

TEST(ReplayStartup, EmptyFirstArgumentCountsAsNone) {
  const ReplayRun run = RunReplay({""}, "dump\n");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.LastDump()["LogLoaded"].toBool());
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
}

TEST(ReplayStartup, WithLogLoadsAndDrawsAtRecordZero) {
  Fixture f;
  const std::string log = f.Log("drive.xls", TestLog(30, {4}));
  const ReplayRun run = RunReplay({log}, "dump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const QJsonObject dump = run.LastDump();
  EXPECT_TRUE(dump["LogLoaded"].toBool());
  EXPECT_EQ(dump["RecordCount"].toInt(), 30);
  EXPECT_EQ(dump["MarkTable"].toArray(), QJsonArray({4}));
  const QString status = ControlOf(dump, "buttonbox")["caption"].toString();
  EXPECT_TRUE(status.startsWith(
      QString::fromStdString(" Log File: " + log + "; 30 Records; NB O2 Sensor Detected; ")))
      << status.toStdString();
  EXPECT_TRUE(status.endsWith(" Mem Used "));
  for (const char* shown : {"startbtn", "fastreverse", "SSForward", "endbtn", "runbtn", "MARKList"})
    EXPECT_TRUE(ControlOf(dump, shown)["visible"].toBool()) << shown;
  EXPECT_FALSE(ControlOf(dump, "marklbox")["visible"].toBool());
  EXPECT_EQ(ControlOf(dump, "marklbox")["items"].toArray(),
            QJsonArray({"MARK 1 at 0.4 Seconds Elapsed Time "}));
  EXPECT_EQ(ControlOf(dump, "RUNNING")["caption"].toString(), "RUN:Y");
  EXPECT_EQ(ControlOf(dump, "RUNNING")["color"].toString(), "0x0000FFFF");
  EXPECT_EQ(ControlOf(dump, "mapcb")["caption"].toString(), "MAP: 95");
  EXPECT_EQ(ControlOf(dump, "o2cb")["caption"].toString(), "O2v: 0.450");
}

TEST(ReplayStartup, MissingLogIsReportedOnceAndLeavesTheDesignedWindow) {
  const ReplayRun run = RunReplay({"/nonexistent/drive.xls"}, "dump\n");
  ASSERT_EQ(run.exitCode, 0);
  const auto errors = run.LinesStartingWith("error:");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("error: File not found.", 0), 0u) << errors[0];
  EXPECT_FALSE(run.LastDump()["LogLoaded"].toBool());
  EXPECT_FALSE(ControlOf(run.LastDump(), "startbtn")["visible"].toBool());
}

TEST(ReplayCommands, QuitEndsTheProgramAndIgnoresTheRest) {
  const ReplayRun run = RunReplay({}, "click quit\ndump\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.Dumps().empty());
}

TEST(ReplayCommands, ReturnPressesQuitWhichHasTheFocusAfterStartup) {
  const ReplayRun run = RunReplay({}, "key Return\ndump\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.Dumps().empty());
}

TEST(ReplayCommands, AltOPressesOpen) {
  Fixture f;
  const std::string log = f.Log("drive.xls", TestLog(5));
  const ReplayRun run = RunReplay({}, "dialog " + log + "\nkey Alt+O\ndump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.LastDump()["RecordCount"].toInt(), 5);
}

TEST(ReplayCommands, HiddenOrUnknownControlsAreRefused) {
  const ReplayRun run = RunReplay({}, "click startbtn\nclick nosuchthing\ndump\n");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.LinesStartingWith("refused:"),
            (std::vector<std::string>{"refused: startbtn", "refused: nosuchthing"}));
}

TEST(ReplayCommands, UnparsableLineExitsWithTwoAndNamesIt) {
  const ReplayRun run = RunReplay({}, "dump\nfrobnicate now\ndump\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.Dumps().size(), 1u);
  EXPECT_NE(run.errors.find("line 2"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("frobnicate now"), std::string::npos);
}

TEST(ReplayCommands, RecordsPrintsEveryChannelOfASlot) {
  Fixture f;
  const std::string log = f.Log("drive.xls", TestLog(3));
  const ReplayRun run = RunReplay({log}, "records 1001 1001\n");
  ASSERT_EQ(run.exitCode, 0);
  const auto lines = run.LinesStartingWith("{\"slot\"");
  ASSERT_EQ(lines.size(), 1u);
  const QJsonObject record = QJsonDocument::fromJson(QByteArray::fromStdString(lines[0])).object();
  EXPECT_EQ(record["slot"].toInt(), 1001);
  EXPECT_EQ(record["TIME"].toString(), "0.1");
  EXPECT_EQ(record["RPM"].toInt(), 1);
  EXPECT_EQ(record["O2"].toDouble(), 0.45);
  EXPECT_EQ(record["PW1"].toDouble(), 3.5);
  EXPECT_EQ(record["ENGINE"].toString(), "1");
  EXPECT_EQ(record.size(), 18);
}

TEST(ReplayErrors, DrawingFailureIsReportedWithAPeriod) {
  Fixture f;
  std::string text = NarrowLine({"0.0", "0", "0", "0", "0", "0", "0", "0", "1.0"}) + "\n";
  const ReplayRun run = RunReplay({f.Log("bad.xls", text)}, "dump\n");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.LinesStartingWith("error:"),
            (std::vector<std::string>{"error: '1.0' is not a valid integer value."}));
  // The frame stopped, but the log is loaded and the position stored.
  EXPECT_TRUE(run.LastDump()["LogLoaded"].toBool());
}

}  // namespace
}  // namespace tarvelin::test
