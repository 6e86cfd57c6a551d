#include "tests/e2e/replay_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonDocument>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef TARVELIN_REPLAY_PATH
#error "TARVELIN_REPLAY_PATH must name the tarvelin-replay binary"
#endif

namespace tarvelin::test {

namespace {

std::string ReadAll(int fd) {
  std::string out;
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

ReplayRun RunReplay(const std::vector<std::string>& arguments, const std::string& script) {
  const std::string dir = TempDir();
  const std::string scriptPath = WriteFile(dir, "script.txt", script);
  const std::string outPath = dir + "/out.txt", errPath = dir + "/err.txt";
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int in = open(scriptPath.c_str(), O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(TARVELIN_REPLAY_PATH)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ReplayRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const int out = open(outPath.c_str(), O_RDONLY), err = open(errPath.c_str(), O_RDONLY);
  run.lines = SplitLines(ReadAll(out));
  run.errors = ReadAll(err);
  close(out);
  close(err);
  return run;
}

std::vector<QJsonObject> ReplayRun::Dumps() const {
  std::vector<QJsonObject> dumps;
  for (const std::string& line : lines) {
    if (line.rfind("{\"Position\"", 0) != 0) continue;
    dumps.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
  }
  return dumps;
}

QJsonObject ReplayRun::LastDump() const {
  const auto dumps = Dumps();
  return dumps.empty() ? QJsonObject() : dumps.back();
}

std::vector<std::string> ReplayRun::LinesStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

namespace {

std::string JoinFields(std::vector<std::string> fields, size_t count) {
  fields.resize(count, "0");
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += '\t';
    line += fields[i];
  }
  return line;
}

}  // namespace

std::string NarrowLine(std::vector<std::string> fields) {
  return JoinFields(std::move(fields), 19);
}
std::string WideLine(std::vector<std::string> fields) { return JoinFields(std::move(fields), 22); }

std::string TestLog(int records, const std::vector<int>& marksAfter) {
  std::string text = "\"generated for a test\n";
  int mark = 1;
  auto marksAt = [&](int after) {
    for (int m : marksAfter)
      if (m == after) text += "\"MARK " + std::to_string(mark++) + "\"\n";
  };
  marksAt(-1);
  for (int i = 0; i < records; ++i) {
    text += NarrowLine({std::to_string(i / 10) + "." + std::to_string(i % 10),
                        std::to_string(i % 256), std::to_string(i % 70), "95", "12", "0.45", "30",
                        "80.0", "1", "100", "0", "0", "0", "0", "0", "60", "3.5", "0", "0"}) +
            "\n";
    marksAt(i);
  }
  return text;
}

QJsonObject ControlOf(const QJsonObject& dump, const char* name) {
  return dump["controls"].toObject()[name].toObject();
}

std::string TempDir() {
  static int counter = 0;
  const char* base = std::getenv("TMPDIR");
  std::string dir = std::string(base ? base : "/tmp") + "/tarvelin-e2e-" +
                    std::to_string(getpid()) + "-" + std::to_string(counter++);
  std::filesystem::create_directories(dir);
  return dir;
}

std::string WriteFile(const std::string& dir, const std::string& name, const std::string& text) {
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace tarvelin::test
