// Searching the library: the search bar at the top of the Songs list, and
// the search screen that takes over the Songs tab once a query is typed,
// with the search bar at the top (the field being edited) and the matching
// songs in MusicSearchTableViewCellContentView rows below it.
//
//   addSongsSearchBar(table);            // while the Songs list loads
//   showSongSearch(window, "lan");       // the search screen
#pragma once

#include "platform/uikit/uikit.h"

inline constexpr CGFloat kSongsSearchBarHeight = 44;

// Puts the search bar in the list, above its first section.
void addSongsSearchBar(UITableView* songsTable);

// The window of the Songs tab, as the search screen shows `query` and its
// results.
void showSongSearch(UIWindow* window, const char* query);

void registerSearchClasses();
