// The orvelo-samplegen command as a user meets it: what its help text promises.
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string CommandOutput(const std::string& arguments) {
  std::string output;
  FILE* pipe = ::popen(("\"" ORVELO_SAMPLEGEN "\" " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    return output;
  }
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
    output += buffer;
  }
  ::pclose(pipe);
  return output;
}

TEST(SampleGenCommandTest, HelpGivesTheSampleRatesEachRateModeDefaultsTo) {
  const std::string help = CommandOutput("--help");
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
