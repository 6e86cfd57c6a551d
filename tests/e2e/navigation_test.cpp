// Stepping, playback, opening and the mark list, through the real window.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "tests/e2e/replay_runner.h"

namespace tarvelin::test {
namespace {

std::string Clicks(const std::vector<std::string>& names) {
  std::string script;
  for (const std::string& name : names) script += "click " + name + "\n";
  return script + "dump\n";
}

struct StepCase {
  const char* what;
  std::vector<std::string> clicks;
  int expected;
};

// With RecordCount N = 300.
TEST(Navigation, StepsKeepTheirEdgeRules) {
  const std::string log = WriteFile(TempDir(), "n300.xls", TestLog(300));
  const StepCase cases[] = {
      {"-200 at 200 is refused", {"fastforward", "fastreverse"}, 200},
      {"-200 at 201 moves to 1", {"fastforward", "SSForward", "fastreverse"}, 1},
      {"-20 at 20 is refused", {"slowforward", "slowreverse"}, 20},
      {"-20 at 21 moves to 1", {"slowforward", "SSForward", "slowreverse"}, 1},
      {"-1 at 1 is refused", {"SSForward", "SSReverse"}, 1},
      {"-1 at 2 moves to 1", {"SSForward", "SSForward", "SSReverse"}, 1},
      {"+1 at N-1 is refused", {"endbtn", "SSReverse", "SSForward"}, 299},
      {"+1 at N-2 moves to N-1", {"endbtn", "SSReverse", "SSReverse", "SSForward"}, 299},
      {"+20 at N-15 clamps to N",
       {"endbtn", "slowreverse", "SSForward", "SSForward", "SSForward", "SSForward", "SSForward",
        "slowforward"},
       300},
      {"+20 at N-21 moves to N-1", {"endbtn", "slowreverse", "SSReverse", "slowforward"}, 299},
      {"+200 at N-201 lands on N", {"endbtn", "fastreverse", "SSReverse", "fastforward"}, 300},
      {"+200 at N-202 moves to N-2",
       {"endbtn", "fastreverse", "SSReverse", "SSReverse", "fastforward"},
       298},
      {"End and +20 at N stay at N", {"endbtn", "slowforward", "fastforward", "endbtn"}, 300},
      {"Start draws at 0", {"slowforward", "startbtn"}, 0},
  };
  for (const StepCase& c : cases) {
    const ReplayRun run = RunReplay({log}, Clicks(c.clicks));
    ASSERT_EQ(run.exitCode, 0) << c.what << run.errors;
    EXPECT_EQ(run.LastDump()["Position"].toInt(), c.expected) << c.what;
    EXPECT_TRUE(run.LinesStartingWith("error:").empty()) << c.what;
  }
}

TEST(Playback, RunsSixRecordsATickAndStopsPastTheEnd) {
  const std::string log = WriteFile(TempDir(), "n100.xls", TestLog(100));
  const ReplayRun run =
      RunReplay({log}, "click runbtn\ndump\ntick\ndump\ntick 16\ndump\ntick\ndump\ntick 5\ndump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 5u);
  EXPECT_EQ(ControlOf(dumps[0], "runbtn")["caption"].toString(), "STOP");
  EXPECT_TRUE(ControlOf(dumps[0], "runtimer")["enabled"].toBool());
  EXPECT_EQ(dumps[0]["Position"].toInt(), 0);  // the press itself moves nothing
  EXPECT_EQ(dumps[1]["Position"].toInt(), 6);
  EXPECT_EQ(dumps[2]["Position"].toInt(), 102);  // 6, 12, ..., 96, 102
  EXPECT_TRUE(ControlOf(dumps[2], "runtimer")["enabled"].toBool());
  EXPECT_EQ(dumps[3]["Position"].toInt(), 102);  // this tick stopped it
  EXPECT_FALSE(ControlOf(dumps[3], "runtimer")["enabled"].toBool());
  EXPECT_EQ(ControlOf(dumps[3], "runbtn")["caption"].toString(), "RUN");
  EXPECT_EQ(dumps[4]["Position"].toInt(), 102);  // no ticks reach a stopped timer
}

TEST(Playback, AfterEndShowsStopForOneTick) {
  const std::string log = WriteFile(TempDir(), "n100.xls", TestLog(100));
  const ReplayRun run = RunReplay({log}, "click endbtn\nclick runbtn\ndump\ntick\ndump\n");
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(ControlOf(dumps[0], "runbtn")["caption"].toString(), "STOP");
  EXPECT_EQ(ControlOf(dumps[1], "runbtn")["caption"].toString(), "RUN");
  EXPECT_EQ(dumps[1]["Position"].toInt(), 100);
}

TEST(Playback, StepsActWithoutStoppingIt) {
  const std::string log = WriteFile(TempDir(), "n100.xls", TestLog(100));
  const ReplayRun run = RunReplay({log}, "click runbtn\ntick 2\nclick startbtn\ntick\ndump\n");
  const QJsonObject dump = run.LastDump();
  EXPECT_EQ(dump["Position"].toInt(), 6);
  EXPECT_TRUE(ControlOf(dump, "runtimer")["enabled"].toBool());
}

TEST(Navigation, ALogOfOnlyCommentsHasNoRecordsToStepThrough) {
  const std::string log = WriteFile(TempDir(), "empty.xls", "\"only a comment\n\"MARK 1\"\n");
  const ReplayRun run =
      RunReplay({log},
                "click SSForward\ndump\nclick slowforward\nclick fastforward\nclick endbtn\ndump\n"
                "click runbtn\ndump\ntick\ndump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 4u);
  EXPECT_EQ(dumps[0]["RecordCount"].toInt(), 0);
  EXPECT_EQ(dumps[0]["MarkTable"].toArray(), QJsonArray({-1}));
  EXPECT_EQ(dumps[1]["Position"].toInt(), 0);
  EXPECT_EQ(ControlOf(dumps[2], "runbtn")["caption"].toString(), "STOP");
  EXPECT_EQ(ControlOf(dumps[3], "runbtn")["caption"].toString(), "RUN");
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
}

TEST(OpenLog, CancelChangesNothing) {
  const std::string log = WriteFile(TempDir(), "marks.xls", TestLog(50, {3, 10}));
  const ReplayRun run =
      RunReplay({log}, "click slowforward\ndump\ndialog cancel\nclick openlog\ndump\n");
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[1]["Position"].toInt(), 20);
  EXPECT_EQ(dumps[1]["MarkCount"].toInt(), 2);
  EXPECT_EQ(ControlOf(dumps[1], "marklbox")["items"], ControlOf(dumps[0], "marklbox")["items"]);
  EXPECT_EQ(ControlOf(dumps[1], "marklbox")["items"].toArray().size(), 2);
}

TEST(OpenLog, NoAnswerWaitingCancelsTheDialog) {
  const std::string log = WriteFile(TempDir(), "marks.xls", TestLog(50, {3}));
  const ReplayRun run = RunReplay({log}, "click openlog\ndump\n");
  EXPECT_EQ(run.LastDump()["MarkCount"].toInt(), 1);
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
}

TEST(OpenLog, FailedLoadKeepsTheLogTheUserHad) {
  const std::string dir = TempDir();
  const std::string good = WriteFile(dir, "good.xls", TestLog(50, {3}));
  const std::string bad = WriteFile(dir, "bad.xls", TestLog(5) + NarrowLine({"9", "x"}) + "\n");
  const ReplayRun run =
      RunReplay({good}, "click slowforward\ndialog " + bad + "\nclick openlog\ndialog " + dir +
                            "/missing.xls\nclick openlog\ndump\n");
  const auto errors = run.LinesStartingWith("error:");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].rfind("error: 'x' is not a valid integer value.", 0), 0u) << errors[0];
  EXPECT_EQ(errors[1].rfind("error: File not found.", 0), 0u) << errors[1];
  const QJsonObject dump = run.LastDump();
  EXPECT_EQ(dump["RecordCount"].toInt(), 50);
  EXPECT_EQ(dump["Position"].toInt(), 20);
  EXPECT_EQ(dump["MarkCount"].toInt(), 1);
  EXPECT_EQ(ControlOf(dump, "marklbox")["items"].toArray().size(), 1);
}

TEST(OpenLog, MarkListButtonStaysOnceALogWithMarksWasLoaded) {
  const std::string dir = TempDir();
  const std::string plain = WriteFile(dir, "plain.xls", TestLog(10));
  const std::string marks = WriteFile(dir, "marks.xls", TestLog(10, {2}));
  const ReplayRun run =
      RunReplay({plain}, "dump\ndialog " + marks + "\nclick openlog\ndump\ndialog " + plain +
                             "\nclick openlog\ndump\n");
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 3u);
  EXPECT_FALSE(ControlOf(dumps[0], "MARKList")["visible"].toBool());
  EXPECT_TRUE(ControlOf(dumps[1], "MARKList")["visible"].toBool());
  EXPECT_TRUE(ControlOf(dumps[2], "MARKList")["visible"].toBool());
  EXPECT_TRUE(ControlOf(dumps[2], "marklbox")["items"].toArray().isEmpty());
}

TEST(MarkList, ShowHideAndJumpAheadOfTheFirstRecord) {
  const std::string log = WriteFile(TempDir(), "marks.xls", TestLog(40, {-1, 25}));
  const ReplayRun run =
      RunReplay({log},
                "click slowforward\nclick MARKList\ndump\nclick MARKList\ndump\n"
                "click MARKList\nselect 0\ndump\nclick MARKList\nselect 1\ndump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 4u);
  EXPECT_TRUE(ControlOf(dumps[0], "marklbox")["visible"].toBool());
  EXPECT_EQ(dumps[0]["MarkTable"].toArray(), QJsonArray({-1, 25}));
  EXPECT_EQ(ControlOf(dumps[0], "marklbox")["items"].toArray()[0].toString(),
            "MARK 1 at  Seconds Elapsed Time ");
  EXPECT_FALSE(ControlOf(dumps[1], "marklbox")["visible"].toBool());
  EXPECT_EQ(dumps[1]["Position"].toInt(), 20);
  EXPECT_EQ(dumps[2]["Position"].toInt(), -1);
  EXPECT_FALSE(ControlOf(dumps[2], "marklbox")["visible"].toBool());
  EXPECT_EQ(ControlOf(dumps[2], "marklbox")["itemIndex"].toInt(), 0);  // stays selected
  EXPECT_EQ(dumps[3]["Position"].toInt(), 25);
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
}

TEST(MarkList, ArrowKeysChooseAMarkOnceTheListIsShown) {
  const std::string log = WriteFile(TempDir(), "marks.xls", TestLog(40, {5, 25}));
  const ReplayRun run = RunReplay({log}, "click MARKList\nkey Down\ndump\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const QJsonObject dump = run.LastDump();
  EXPECT_EQ(dump["Position"].toInt(), 5);
  EXPECT_FALSE(ControlOf(dump, "marklbox")["visible"].toBool());
  EXPECT_EQ(ControlOf(dump, "marklbox")["itemIndex"].toInt(), 0);
}

TEST(MarkList, ASelectionOfNoEntryDoesNothing) {
  const std::string dir = TempDir();
  const std::string marks = WriteFile(dir, "marks.xls", TestLog(10, {2}));
  const std::string plain = WriteFile(dir, "plain.xls", TestLog(10));
  const ReplayRun run = RunReplay({marks}, "click MARKList\nselect -1\ndump\ndialog " + plain +
                                               "\nclick openlog\nselect 0\ndump\n");
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_TRUE(run.LinesStartingWith("error:").empty());
  EXPECT_TRUE(ControlOf(dumps[0], "marklbox")["visible"].toBool());
  EXPECT_TRUE(ControlOf(dumps[1], "marklbox")["visible"].toBool());  // opening does not hide it
  EXPECT_EQ(dumps[1]["Position"].toInt(), 0);
}

TEST(CheckBoxes, BeforeAnyLoadOnlyToggle) {
  const ReplayRun run = RunReplay({}, "click rpmcb\nclick seclcb\npaint\ndump\n");
  ASSERT_EQ(run.exitCode, 0);
  const QJsonObject dump = run.LastDump();
  EXPECT_FALSE(ControlOf(dump, "rpmcb")["checked"].toBool());
  EXPECT_TRUE(ControlOf(dump, "seclcb")["checked"].toBool());
  EXPECT_EQ(ControlOf(dump, "rpmcb")["caption"].toString(), "RPM");
  EXPECT_EQ(dump["Position"].toInt(), 0);
}

}  // namespace
}  // namespace tarvelin::test
