#pragma once
// Checks for the command-line tests: a run that succeeds and its output, or a refusal.

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana::test {

// Runs korvana-cli expecting exit status 0 and nothing on stderr; returns stdout.
inline std::string CliOut(const std::vector<std::string>& args) {
  const CommandResult r = RunCli(args);
  EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
  EXPECT_EQ(r.err, "") << args[0];
  return r.out;
}

// Runs korvana-cli expecting the exit status and stderr starting with the message.
inline ::testing::AssertionResult CliFails(const std::vector<std::string>& args, int status,
                                           const std::string& message = "") {
  const CommandResult r = RunCli(args);
  if (r.status == status && r.err.rfind(message, 0) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "status " << r.status << ", stderr: " << r.err;
}

}  // namespace korvana::test
