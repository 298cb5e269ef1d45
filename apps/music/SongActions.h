// What a song's "…" button brings up: the action sheet of things to do with
// the song and, for Delete, the alert that asks first. Both cover the whole
// window, status bar included, as the platform shows them.
//
//   presentSongActions(window, "Blue Hour");
#pragma once

#include "platform/uikit/uikit.h"

void presentSongActions(UIWindow* window, const char* songTitle);
void presentDeleteAlert(UIWindow* window, const char* songTitle);
