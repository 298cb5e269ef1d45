// Times work inside a fresh launch: each iteration forks a child process
// (a launch starts from fresh process state), the child times `work` alone
// and reports the seconds through a pipe, so process creation and exit are
// not part of the figure. Use with ->UseManualTime().
//
//   timeInFreshLaunches(state, [] { launchHost(host, &image); });
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "platform/loader/Loader.h"

// Wall time, or the child's CPU time: on a machine whose cores are shared,
// wall time also counts the waits for a core, which swamp a small difference
// between two single-threaded figures.
enum class LaunchClock { Wall, ProcessCPU };

inline double launchClockSeconds(LaunchClock clock) {
  if (clock == LaunchClock::Wall)
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// `prepare` runs untimed in the child before `work`.
inline void timeInFreshLaunches(benchmark::State& state, const std::function<void()>& prepare,
                                const std::function<void()>& work, LaunchClock clock = LaunchClock::Wall) {
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    runInChildProcess([&] {
      prepare();
      double start = launchClockSeconds(clock);
      work();
      double seconds = launchClockSeconds(clock) - start;
      return write(fds[1], &seconds, sizeof seconds) == sizeof seconds ? 0 : 1;
    });
    double seconds = 0;
    ssize_t got = read(fds[0], &seconds, sizeof seconds);
    close(fds[0]);
    close(fds[1]);
    if (got != sizeof seconds) {
      state.SkipWithError("the launch did not report");
      break;
    }
    state.SetIterationTime(seconds);
  }
}
