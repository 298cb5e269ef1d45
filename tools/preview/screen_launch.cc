// Launches that say why they failed.
#include "tools/preview/screen_launch.h"

#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/loader/Loader.h"

namespace {

// The child's exit status after it has described its own failure.
constexpr int kReportedFailure = 1;

}  // namespace

std::string launchEndText(const std::string& what, int status) {
  if (status > 128) {
    int signal = status - 128;
    return "mirel-preview: " + what + ": the launch died of signal " + std::to_string(signal) + " (" +
           strsignal(signal) + ")";
  }
  return "mirel-preview: " + what + ": the launch ended with status " + std::to_string(status);
}

int runScreenLaunch(const std::string& what, const std::function<int()>& body) {
  int status = runInChildProcess([&] {
    try {
      return body();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "mirel-preview: %s: the launch failed: %s\n", what.c_str(), error.what());
    } catch (...) {
      std::fprintf(stderr, "mirel-preview: %s: the launch failed with an unknown exception\n", what.c_str());
    }
    return kReportedFailure;
  });
  if (status != 0 && status != kReportedFailure) std::fprintf(stderr, "%s\n", launchEndText(what, status).c_str());
  return status;
}
