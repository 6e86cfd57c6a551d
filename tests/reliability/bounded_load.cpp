#include "tests/reliability/bounded_load.h"

#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "log/log_reader.h"

namespace tarvelin::reliability {
namespace {

bool SwitchUser(const std::string& name) {
  const passwd* user = ::getpwnam(name.c_str());
  if (user == nullptr) return false;
  return ::setgroups(0, nullptr) == 0 &&
         ::setresgid(user->pw_gid, user->pw_gid, user->pw_gid) == 0 &&
         ::setresuid(user->pw_uid, user->pw_uid, user->pw_uid) == 0;
}

[[noreturn]] void RunChild(int out, const std::string& path,
                           const std::optional<std::string>& asUser) {
  std::string outcome;
  if (asUser && !SwitchUser(*asUser)) {
    outcome = "cannot switch user";
  } else {
    try {
      const LoadedLog log = LoadLog(path);
      outcome = "loaded " + std::to_string(log.data.RecordCount) + " records, " +
                std::to_string(log.data.MarkCount) + " marks";
    } catch (const Failure& failure) {
      outcome = "failure: " + failure.message() + " | " + failure.place();
    } catch (const std::exception& error) {
      outcome = std::string("other exception: ") + error.what();
    }
  }
  for (size_t done = 0; done < outcome.size();) {
    const ssize_t n = ::write(out, outcome.data() + done, outcome.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::_exit(0);
}

}  // namespace

BoundedLoad LoadInChild(const std::string& path, int seconds,
                        const std::optional<std::string>& asUser) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid < 0) return {};
  if (pid == 0) {
    ::close(pipeEnds[0]);
    RunChild(pipeEnds[1], path, asUser);
  }
  ::close(pipeEnds[1]);
  BoundedLoad result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd wait{pipeEnds[0], POLLIN, 0};
    if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
      ::kill(pid, SIGKILL);  // still loading at the limit
      break;
    }
    char buffer[4096];
    const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (n <= 0) {
      result.finished = true;
      break;
    }
    result.outcome.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.finished = result.finished && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace tarvelin::reliability
