// The exit statuses every mirel tool shares, and argument parsing that
// keeps to them: 0 done, 1 some input failed, 2 usage error.
//
//   if (std::optional<int> status = parseArguments(app, argc, argv)) return *status;
#pragma once

#include <CLI/CLI.hpp>

#include <optional>

constexpr int kExitDone = 0;
constexpr int kExitInputFailed = 1;
constexpr int kExitUsage = 2;

// Parses the command line; when the run should end here (help asked for, or
// the arguments are wrong, told on stderr by the parser) gives the status.
inline std::optional<int> parseArguments(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
    return std::nullopt;
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kExitDone : kExitUsage;
  }
}
