// The library's contents.
#include "apps/music/Library.h"

const std::vector<Song>& librarySongs() {
  static const std::vector<Song> songs = {
      {"Afterglow", "The Lanterns", "Northern Lights", "3:42"},
      {"All the Way Down", "Mira Vale", "Low Tide", "4:05"},
      {"Blue Hour", "The Lanterns", "Northern Lights", "3:18"},
      {"Borrowed Time", "Oskar Lind", "Paper Boats", "2:57"},
      {"Cold Harbour", "Mira Vale", "Low Tide", "5:11"},
      {"Driftwood", "Hollow Pines", "Evergreen", "3:33"},
      {"Echoes", "Oskar Lind", "Paper Boats", "4:20"},
      {"Golden Fields", "Hollow Pines", "Evergreen", "3:56"},
      {"Midnight Train", "Juniper Row", "City Sleep", "4:44"},
      {"Neon Rain", "Juniper Row", "City Sleep", "3:09"},
      {"Paper Moon", "The Lanterns", "Northern Lights", "2:48"},
      {"Quiet Storm", "Mira Vale", "Low Tide", "4:31"},
      {"Starling", "Hollow Pines", "Evergreen", "3:27"},
      {"Wildflower", "Oskar Lind", "Paper Boats", "3:50"},
  };
  return songs;
}

std::vector<SongSection> songSections() {
  std::vector<SongSection> sections;
  for (const Song& song : librarySongs()) {
    std::string letter(1, song.title[0]);
    if (sections.empty() || sections.back().letter != letter) sections.push_back({letter, {}});
    sections.back().songs.push_back(&song);
  }
  return sections;
}

const std::vector<Album>& libraryAlbums() {
  static const std::vector<Album> albums = {
      {"City Sleep", "Juniper Row", 0.62},     {"Evergreen", "Hollow Pines", 0.33},
      {"Low Tide", "Mira Vale", 0.52},         {"Northern Lights", "The Lanterns", 0.78},
      {"Paper Boats", "Oskar Lind", 0.08},     {"Summer Static", "Juniper Row", 0.14},
  };
  return albums;
}
