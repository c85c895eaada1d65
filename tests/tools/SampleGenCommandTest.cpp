// The orvelo-samplegen command as a user meets it: what its help text promises.
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

// What the command prints on each stream, and how it exits.
struct Outcome {
  std::string out;
  std::string err;
  int exitCode = -1;
};

Outcome RunCommand(const std::string& arguments) {
  Outcome run;
  std::string errPath = (std::filesystem::temp_directory_path() / "samplegen-stderr-XXXXXX").string();
  const int errFile = ::mkstemp(errPath.data());
  if (errFile < 0) {
    return run;
  }
  ::close(errFile);
  FILE* pipe = ::popen(("\"" ORVELO_SAMPLEGEN "\" " + arguments + " 2>\"" + errPath + "\"").c_str(), "r");
  if (pipe != nullptr) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
      run.out += buffer;
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::ifstream err(errPath);
  run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
  std::remove(errPath.c_str());
  return run;
}

TEST(SampleGenCommandTest, HelpIsAnAnswerTheUsageAloneOnStandardOutput) {
  const Outcome help = RunCommand("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("usage: orvelo-samplegen", 0), 0u) << help.out;
  // The same text that a call without arguments gives with its failure.
  const Outcome bare = RunCommand("");
  EXPECT_EQ(bare.exitCode, 2);
  EXPECT_EQ(help.out, bare.err);
}

TEST(SampleGenCommandTest, HelpGivesTheSampleRatesEachRateModeDefaultsTo) {
  const std::string help = RunCommand("--help").out;
  // The defaults follow the option's description, in rate-mode order.
  const auto option = help.find("--samples-per-second");
  ASSERT_NE(option, std::string::npos) << help;
  const std::string described = help.substr(option, help.find("\n  --", option + 1) - option);
  std::smatch match;
  ASSERT_TRUE(std::regex_search(described, match, std::regex(R"(default ([^)]*))"))) << described;
  std::vector<int> rates;
  const std::string list = match[1].str();
  const std::regex number(R"(\b\d+\b)");
  for (auto it = std::sregex_iterator(list.begin(), list.end(), number); it != std::sregex_iterator(); ++it) {
    rates.push_back(std::stoi(it->str()));
  }
  ASSERT_GE(rates.size(), 4u) << described;
  for (int mode = 0; mode < 4; ++mode) {
    const int rate = rates[static_cast<std::size_t>(mode)];
    EXPECT_EQ(samplegen::GenerateSession({.laps = 1, .rateMode = mode}).bytes,
              samplegen::GenerateSession({.laps = 1, .rateMode = mode, .samplesPerSecond = rate}).bytes)
        << "rate mode " << mode << ", help says " << rate;
  }
}

}  // namespace
