// Renders one screen of a modelled host into PNG bytes, in a launch of its
// own (a forked child process), as a device would show it after a fresh
// start with the given preferences file.
//
//   std::string png, error;
//   bool ok = renderScreenPNG({.app = &musicApp(), .screen = "songs", .themed = true}, &png, &error);
#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "platform/render/Bitmap.h"

struct HostApp;

struct ScreenRenderRequest {
  const HostApp* app = nullptr;
  std::string screen;
  bool themed = true;
  // Bytes of the preferences file the launch finds; none: no file at all.
  std::optional<std::string> preferences;
  // Runs in the launch once the host is up, before the screen is built
  // (where a tool hands the host's session what it should show).
  std::function<void()> beforeBuild;
  const Bitmap* wallpaper = nullptr;  // nullptr: the built-in one
  double scale = 2;
};

// Fills `png` and returns true; otherwise an error naming what failed.
bool renderScreenPNG(const ScreenRenderRequest& request, std::string* png, std::string* error);

// The same, and every text of the screen measured against what is drawn
// behind it while the picture is drawn: `texts` gets the records as
// mirel-preview writes them in APP-SCREEN-readability.json's "texts".
bool renderScreenReadability(const ScreenRenderRequest& request, std::string* png, nlohmann::json* texts,
                             std::string* error);
