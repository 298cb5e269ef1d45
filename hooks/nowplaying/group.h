// The Now Playing group of the HookTable, in installation order: installed
// on top of the Music group when NowPlayingHooks is on.
//
//   installHookRows(HookGroup::NowPlaying, nowPlayingGroup());
#pragma once

#include <span>

#include "tweak/hook_table.h"

std::span<const HookRow> nowPlayingGroup();
