// The modelled Music app ("com.apple.Music"): its classes and its scripted
// session, which builds the window for each screen the preview shows.
//
//   const HostApp& app = musicApp();
#pragma once

#include "apps/common/HostApp.h"

const HostApp& musicApp();
void registerMusicClasses();
