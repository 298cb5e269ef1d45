// One launch of mirel-preview, run in a child process, that names what it
// was drawing when it fails: an exception in the child is reported with its
// message, a child that dies by a signal is reported by the parent, and a
// child that reports its own failure is left to have said so.
//
//   int status = runScreenLaunch("music songs", [&] { ...; return 0; });
#pragma once

#include <functional>
#include <string>

// Runs `body` in a child process and returns its exit status (0 done);
// every other outcome has been told on stderr with `what` in the line.
int runScreenLaunch(const std::string& what, const std::function<int()>& body);

// The line for a launch that ended with `status` without a word of its own
// (an uncaught exception has been described by the child already).
std::string launchEndText(const std::string& what, int status);
