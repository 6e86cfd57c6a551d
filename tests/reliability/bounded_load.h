#pragma once
// Loads a datalog in a child process with a time limit, optionally as an unprivileged user,
// so that a load that hangs or crashes fails the test instead of stopping it.
#include <optional>
#include <string>

namespace tarvelin::reliability {

struct BoundedLoad {
  bool finished = false;  // false: killed at the time limit, or the child died
  std::string outcome;    // "loaded N records, M marks" or "failure: MESSAGE | PLACE"
};

// `asUser` names an account to switch to before loading (only possible as root); with no
// such account or privilege the child reports "cannot switch user".
BoundedLoad LoadInChild(const std::string& path, int seconds,
                        const std::optional<std::string>& asUser = std::nullopt);

}  // namespace tarvelin::reliability
