// Child processes for the studio's tests: a tool started with its
// arguments (its first printed line read back, within a bound), ended with
// TERM and then KILL when the test is done, or killed on purpose.
//
//   Child studio;
//   std::string banner;
//   ASSERT_TRUE(studio.start({MIREL_STUDIO_PATH, "--port", "0"}, &banner));
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// A child process that is ended (TERM, then KILL) when the test is done.
class Child {
 public:
  // Starts `argv`; with `captureLine`, the first line it prints is read
  // back (within the timeout) into `line`.
  bool start(std::vector<std::string> argv, std::string* line = nullptr) {
    int out[2];
    if (line && pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (line) {
      posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
      posix_spawn_file_actions_addclose(&actions, out[0]);
    }
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    int failed = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (!line) return failed == 0;
    close(out[1]);
    if (failed != 0) return close(out[0]), false;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    char c;
    while (std::chrono::steady_clock::now() < until) {
      pollfd p{out[0], POLLIN, 0};
      if (poll(&p, 1, 200) <= 0) continue;
      if (read(out[0], &c, 1) != 1) break;
      if (c == '\n') break;
      line->push_back(c);
    }
    close(out[0]);
    return !line->empty();
  }
  pid_t pid() const { return pid_; }
  // SIGKILL, as a crash or the OOM killer would end it; reaped.
  void kill9() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 50; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
};

inline int freeLoopbackPort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = -1;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  close(s);
  return port;
}

