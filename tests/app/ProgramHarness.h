// The shell harness with the program's own window factory: what a user gets.
#pragma once

#include "shell/ShellHarness.h"

#include "app/ProgramWindowFactory.h"

class ProgramHarness : public ShellHarness {
public:
    explicit ProgramHarness(platform::RegistryTree saved = {})
        : ShellHarness(std::move(saved), [](AppSettings& settings, orvelo::LapDataCore& core) {
              return std::make_unique<ProgramWindowFactory>(settings, core);
          }) {}
};
