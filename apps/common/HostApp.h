// A modelled host application as tools see it: how to launch it and which
// screens its scripted session can show.
//
//   const HostApp& music = musicApp();
//   Ref<UIWindow> window = music.buildScreen("songs");
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/loader/Loader.h"
#include "platform/objc/ref.h"

struct UIWindow;

struct HostApp {
  std::string name;  // "music", "messages"
  HostDescription host;
  std::vector<std::string> screens;
  // Builds the screen's window in a launched host and lets the run loop
  // finish what the build scheduled (animations included).
  std::function<Ref<UIWindow>(const std::string& screen)> buildScreen;
};

// Lays a window's tree out (layoutSubviews everywhere) and runs the main
// run loop until nothing is left to do.
void settleWindow(UIWindow* window);
