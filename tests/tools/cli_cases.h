// One shape for the command-line tests of every tool: arguments and
// environment in, exit status and what must be said out.
//
//   expectRuns(MIREL_PICK, {{"no files", "", {}, 2, "", "files is required"}});
#pragma once

#include <string>
#include <vector>

#include "tests/tools/run_tool.h"

struct CliCase {
  const char* name;
  std::string arguments;
  std::vector<std::string> environment;
  int status;
  std::string outHas;  // empty: anything
  std::string errHas;  // empty: stderr stays empty
};

inline void expectRuns(const std::string& tool, const std::vector<CliCase>& cases) {
  for (const CliCase& c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun run = runTool(tool + " " + c.arguments, c.environment);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (!c.outHas.empty()) {
      EXPECT_NE(run.out.find(c.outHas), std::string::npos) << run.out;
    }
    if (c.errHas.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_NE(run.err.find(c.errHas), std::string::npos) << run.err;
    }
  }
}

// A file of these bytes under the test's temporary folder.
inline std::string scratchFile(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}
