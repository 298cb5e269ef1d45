// Runs a built tool as a user would, through the shell, and keeps its exit
// status, its output and its messages.
//
//   ToolRun run = runTool(MIREL_PICK " --backend gl cover.png", {"MIREL_EGL_PLATFORM=none"});
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct ToolRun {
  int status = -1;
  std::string out, err;
};

inline std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline ToolRun runTool(const std::string& command, const std::vector<std::string>& environment = {}) {
  // Named by the process: the temporary folder is shared with every other
  // test run on the machine.
  const std::string stem = ::testing::TempDir() + "tool-" + std::to_string(getpid());
  const std::string out = stem + ".out", err = stem + ".err";
  std::string line = "env";
  for (const std::string& setting : environment) line += " '" + setting + "'";
  line += " " + command + " >" + out + " 2>" + err;
  int raw = std::system(line.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = fileText(out);
  run.err = fileText(err);
  return run;
}
