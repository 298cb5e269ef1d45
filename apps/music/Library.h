// The music library the modelled Music app shows: a dozen songs with their
// artists, albums and durations, in title order.
#pragma once

#include <string>
#include <vector>

struct Song {
  const char* title;
  const char* artist;
  const char* album;
  const char* duration;
};

const std::vector<Song>& librarySongs();

// Songs grouped by the first letter of their titles, in order.
struct SongSection {
  std::string letter;
  std::vector<const Song*> songs;
};
std::vector<SongSection> songSections();

struct Album {
  const char* title;
  const char* artist;
  double hue;
};
const std::vector<Album>& libraryAlbums();
