// Built only with the sanitizers: shows that they are really in force in that run, so that
// a clean sanitizer run means something.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

namespace {

volatile int sink;  // the faulty results are used, so the optimizer cannot drop the faults

int ReadPastTheEnd(volatile int index) {
  auto values = std::make_unique<int[]>(4);
  return values[index];
}

int32_t AddPastTheRange(volatile int32_t a) { return a + 1; }

TEST(SanitizerCanaryTest, AFaultIsReported) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(sink = ReadPastTheEnd(4), "AddressSanitizer: heap-buffer-overflow");
  EXPECT_DEATH(sink = AddPastTheRange(std::numeric_limits<int32_t>::max()),
               "runtime error: signed integer overflow");
}

}  // namespace
