#include "tests/reliability/replay_child.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#ifndef TARVELIN_REPLAY_PATH
#error "TARVELIN_REPLAY_PATH must name the tarvelin-replay binary"
#endif

namespace tarvelin::reliability {

std::vector<std::string> ReplayOutput::Starting(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

ReplayOutput RunReplayScript(const std::string& scriptPath, const std::string& outputDir,
                             std::optional<uint64_t> addressSpaceBytes) {
  const std::string outPath = outputDir + "/replay-out.txt",
                    errPath = outputDir + "/replay-err.txt";
  ReplayOutput output;
  const pid_t pid = ::fork();
  if (pid < 0) return output;
  if (pid == 0) {
    ::dup2(::open(scriptPath.c_str(), O_RDONLY), 0);
    ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (addressSpaceBytes) {
      const rlimit limit{*addressSpaceBytes, *addressSpaceBytes};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
    }
    ::execl(TARVELIN_REPLAY_PATH, TARVELIN_REPLAY_PATH, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream out(outPath);
  for (std::string line; std::getline(out, line);) output.lines.push_back(line);
  std::stringstream errors;
  errors << std::ifstream(errPath).rdbuf();
  output.errors = errors.str();
  return output;
}

}  // namespace tarvelin::reliability
