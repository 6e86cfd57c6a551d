#pragma once
// Runs tarvelin-replay on a script file, optionally under a lowered address-space limit, and
// gives back its output lines.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelin::reliability {

struct ReplayOutput {
  int exitCode = -1;
  std::vector<std::string> lines;
  std::string errors;
  std::vector<std::string> Starting(const std::string& prefix) const;
};

ReplayOutput RunReplayScript(const std::string& scriptPath, const std::string& outputDir,
                             std::optional<uint64_t> addressSpaceBytes = std::nullopt);

}  // namespace tarvelin::reliability
